// The step after an exercise has ended: the result sheet, saving the result and following the
// sheet's recommendation; and the review, which starts from the newest stored result.
// EndExercise has completed the current result record (end reason, time, typed and correct
// characters) and left the figures and the slowest characters in LastFinished(); what
// follows comes back to the desk through ReturnToIdleDesk, RestartExercise, StartNextLesson
// or BeginReview.
#include "session/ui/typingdeskwnd.h"

#include "content/lessonrecord.h"
#include "session/exercisekind.h"
#include "session/paradigmpump.h"
#include "session/resultevaluation.h"
#include "session/resultreview.h"
#include "session/ui/deskenvironment.h"
#include "session/ui/resultsheetflow.h"
#include "session/ui/timerwnd.h"
#include "session/ui/viewwnd.h"
#include "skin/ui/skinpixmaps.h"
#include "users/userprofile.h"

namespace kf {

void CTypingDeskWnd::ShowResultAndSave()
{
    CParadigmPump& pump = m_env.Pump();
    ResultFlowInput in;
    in.mode = m_finished.mode;
    in.freeTyping = m_finished.freeTyping;
    in.keyDelays = m_finished.keyDelays;
    in.activePage = m_resultSheetPage;
    if (IsLessonTextKind(m_finished.kind)) {
        if (const LessonRecord* lesson = pump.Course().Lesson(m_lessonIndex))
            in.lessonLevel = lesson->Level();
        std::u16string next;
        in.nextLessonExists = pump.NextLesson(next) >= 0;
    }

    // 6 and 7: the sheet, and the save it asks for.
    const ResultFlowOutcome out = RunResultSheet(m_env, this, in);

    // 8. The clock stops, the sheet's page is kept, and the recommendation is followed.
    m_clock->Stop();
    m_resultSheetPage = out.activePage;
    m_recommendation = out.recommendation;
    bool started = false;
    switch (out.recommendation) {
    case recommendation::kOnceAgain:
        started = RestartExercise();
        break;
    case 1: // restart a lesson or game only
        if (m_finished.mode == desk_mode::kLesson || m_finished.mode == desk_mode::kSlideShow ||
            m_finished.mode == desk_mode::kGame)
            started = RestartExercise();
        break;
    case recommendation::kNextLesson:
        started = StartNextLesson();
        break;
    default:
        break;
    }
    if (!started)
        ReturnToIdleDesk();
}

bool CTypingDeskWnd::StartReview()
{
    std::vector<ReviewViewEntry> views;
    for (const CViewWnd::ViewInfo& v : m_view->Views())
        views.push_back({v.id, ToQString(m_env.Text(v.nameKey))});
    ReviewStart start;
    if (!RunReviewSheet(m_env, this, std::move(views), start))
        return false;
    m_reviewCharacters = start.plan.characters;
    m_reviewCourse = start.plan.courseFile;
    m_reviewLabel = start.plan.label;
    return BeginReview(start.layoutFile);
}

bool CTypingDeskWnd::RestartReview()
{
    if (m_reviewCharacters.empty())
        return false;
    ReviewPlan plan;
    plan.characters = m_reviewCharacters;
    plan.size = ReviewSizeFromOption(m_env.UserOptions().ReviewGenerateSize());
    plan.courseFile = m_reviewCourse;
    plan.label = m_reviewLabel;
    std::u16string layoutFile;
    m_env.BeginBusy(u"IDS_MES_STARTREVIEW");
    const bool made = GenerateReview(m_env.Pump(), plan, layoutFile);
    m_env.EndBusy();
    if (!made) {
        m_env.ShowMessage(u"IDS_ERR_GENERATEREVIEWDATA", this, 0x10);
        return false;
    }
    return BeginReview(layoutFile);
}

bool CTypingDeskWnd::BeginReview(const std::u16string& layoutFile)
{
    CParadigmPump& pump = m_env.Pump();
    CUserProfile& options = m_env.UserOptions();
    pump.SetAllowBackspace(options.AllowBackspace() != 0);
    pump.SetAllowErrorKey(options.AllowErrorKey() != 0);
    // A review within a course with its own keyboard types on that keyboard; any other on
    // the user's, loaded again when a course's was shown.
    if (!layoutFile.empty()) {
        if (!m_env.LoadKeyboardLayout(layoutFile))
            return false;
        m_shownLayoutIsUsers = false;
    } else if (!m_shownLayoutIsUsers && !options.KeyboardLayoutFile().empty()) {
        if (!m_env.LoadKeyboardLayout(options.KeyboardLayoutFile()))
            return false;
        m_shownLayoutIsUsers = true;
    }
    RefreshKeyboard();

    m_caption = m_env.Text(u"IDS_REVIEW_CAPTION");
    m_phase = -1; // the review is one page
    const std::u16string course =
        pump.Kind() == kind::kCourseReview ? m_reviewCourse : std::u16string();
    PrepareExerciseRecord(desk_mode::kReview, course, m_caption);
    m_displaySize = 255;
    m_fontPercent = 100;
    m_env.CurrentResult().SetDisplaySize(255);
    EnterMode(desk_mode::kReview);
    LoadPage(0, pump.Length());
    return true;
}

} // namespace kf
