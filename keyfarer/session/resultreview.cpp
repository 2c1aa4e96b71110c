#include "session/resultreview.h"

#include "session/exercisekind.h"
#include "session/paradigmpump.h"
#include "session/practicetextgenerator.h"

namespace kf {

uint32_t ReviewMinutes(uint8_t duration)
{
    return duration == 0 ? 3 : duration;
}

ReviewPlan PlanReview(const CResultRecord& reviewed, const ReviewSelection& selection,
                      const CUserProfile& profile)
{
    ReviewPlan plan;
    plan.characters = selection.characters;
    plan.size = ReviewSizeFromOption(profile.ReviewGenerateSize());
    plan.minutes = ReviewMinutes(profile.ReviewDuration());
    const int k = reviewed.ExerciseKind();
    if ((k == kind::kCodeLesson || k == kind::kKeyDrill) && !selection.useChosenCharacters) {
        plan.courseFile = reviewed.CourseName();
        plan.label = reviewed.ExtraName();
    }
    return plan;
}

bool GenerateReview(CParadigmPump& engine, const ReviewPlan& plan, std::u16string& layoutFile)
{
    layoutFile.clear();
    return engine.MakeReviewText(plan.characters, plan.size, plan.courseFile, layoutFile,
                                 plan.label);
}

} // namespace kf
