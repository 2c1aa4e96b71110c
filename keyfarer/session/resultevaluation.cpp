#include "session/resultevaluation.h"

#include "platform/textformat.h"
#include "session/exercisekind.h"

#include <algorithm>

namespace kf {

ResultFigures ComputeResultFigures(const ResultInput& in)
{
    ResultFigures f;
    f.wordsPerMinute = in.wordsPerMinute;
    const double u = in.wordsPerMinute ? kCharactersPerWord : 1;
    const int64_t factor = in.errorFactor == 0 ? 5 : in.errorFactor;
    const int64_t p = in.totalHits;
    const int64_t c = in.correctHits;
    f.netSpeed = NetSpeed(p, c, factor, in.elapsedMs) / u;
    f.goal = in.fullmark / u;
    f.accuracy = Accuracy(p, c, factor);
    f.totalHits = p;
    f.grossSpeed = GrossSpeed(p, in.elapsedMs) / u;
    f.errors.errors = ErrorHits(p, c);
    f.errors.factor = factor;
    f.errors.weighted = f.errors.errors * factor;
    f.seconds = std::max<int64_t>(in.elapsedMs / 1000, 1);
    return f;
}

ResultGrade EvaluateResult(const ResultInput& in)
{
    ResultGrade g;
    int64_t full = in.fullmark;
    int64_t pass = in.pass;
    if (pass >= full)
        pass = full * 6 / 10;
    g.speed = in.elapsedMs > 0 ? in.totalHits * 60000 / in.elapsedMs : 0;
    if (IsLessonTextKind(in.kind)) {
        const int64_t level = in.lessonLevel > 9 || in.lessonLevel < 0 ? 0 : in.lessonLevel;
        full = (10 - level) * full / 10;
        pass = (10 - level) * pass / 10;
    }
    g.pass = pass;
    g.fullmark = full;
    if (in.kind == kind::kFreeTyping)
        g.accuracy = 100;
    else
        g.accuracy = in.totalHits > 0 ? in.correctHits * 100 / in.totalHits : 0;

    if (g.speed < pass) {
        g.speedGrade = 0;
    } else if (full > pass) {
        const int64_t q = 2 * (g.speed - pass) / (full - pass);
        g.speedGrade = q == 0 ? 1 : q == 1 ? 2 : 3;
    } else {
        g.speedGrade = 3;
    }
    g.accuracyGrade = g.accuracy >= 100 ? 2 : g.accuracy >= in.passAccuracy ? 1 : 0;
    g.gradeValue = g.speedGrade + 10 * g.accuracyGrade;
    g.commentKey = FormatText(u"IDS_RESULT_C_%d%s",
                              {g.speedGrade, FormatText(u"%d", {g.accuracyGrade})});
    return g;
}

Recommendation Recommend(const RecommendationInput& in)
{
    Recommendation r;
    const bool testOrFree = IsTestKind(in.kind) || in.kind == kind::kFreeTyping;
    const bool lessonOrTestMode = in.mode == desk_mode::kLesson || in.mode == desk_mode::kTest;
    if (in.chooseLessonPrivilege && lessonOrTestMode && !testOrFree)
        r.nextLessonPossible = in.kind == kind::kLesson ? in.nextLessonExists : true;
    r.saveForced = testOrFree && in.alwaysSaveTestsPrivilege;
    r.nextLessonHidden = in.mode == desk_mode::kTest || IsTestKind(in.kind);
    if (in.mode != desk_mode::kLesson)
        r.preselected = recommendation::kBackToDesk;
    else if (in.gradeValue >= 20 && in.gradeValue <= 23 && r.nextLessonPossible)
        r.preselected = recommendation::kNextLesson;
    else
        r.preselected = recommendation::kOnceAgain;
    return r;
}

int RecommendationOfChoice(int choice)
{
    switch (choice) {
    case 1:
        return recommendation::kNextLesson;
    case 2:
        return recommendation::kBackToDesk;
    default:
        return recommendation::kOnceAgain;
    }
}

int SoundGrade(const ResultGrade& grade)
{
    const int sum = grade.speedGrade + grade.accuracyGrade;
    if (grade.speedGrade >= 1 && grade.accuracyGrade >= 1)
        return std::min(sum + 1, 5);
    return std::min(sum, 2);
}

int ResultSoundIndex(int soundGrade)
{
    if (soundGrade == 5)
        return 3;
    if (soundGrade == 3 || soundGrade == 4)
        return 2;
    return 1;
}

std::u16string AbortTypeTextKey(int abortType)
{
    switch (abortType) {
    case abort_type::kTimeOut:
        return u"IDS_RESULT_ABORTTYPE_TIMEOUT";
    case abort_type::kLessonAborted:
        return u"IDS_RESULT_ABORTTYPE_TRAINABORT";
    case abort_type::kTestAborted:
        return u"IDS_RESULT_ABORTTYPE_TESTABORT";
    case abort_type::kGameAborted:
        return u"IDS_RESULT_ABORTTYPE_GAMEABORT";
    case abort_type::kFinished:
        return u"IDS_RESULT_ABORTTYPE_FINISH";
    case abort_type::kGameOver:
        return u"IDS_RESULT_ABORTTYPE_GAMEOVER";
    case abort_type::kReviewAborted:
        return u"IDS_RESULT_ABORTTYPE_REVIEWABORT";
    default:
        return {};
    }
}

} // namespace kf
