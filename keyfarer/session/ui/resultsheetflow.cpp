#include "session/ui/resultsheetflow.h"

#include "content/courserefanswer.h"
#include "content/privileges.h"
#include "session/exercisekind.h"
#include "session/paradigmpump.h"
#include "session/ui/deskenvironment.h"
#include "session/ui/dlgreview.h"
#include "session/ui/resultsheet.h"
#include "users/pump_typingdata.h"
#include "users/userprofile.h"

#include <QDialog>

namespace kf {

namespace {

constexpr unsigned kErrorBox = 0x10;

ResultSheetHook& TestResultHook()
{
    static ResultSheetHook hook;
    return hook;
}

ReviewSheetHook& TestReviewHook()
{
    static ReviewSheetHook hook;
    return hook;
}

} // namespace

void SetResultSheetHookForTesting(ResultSheetHook hook)
{
    TestResultHook() = std::move(hook);
}

void SetReviewSheetHookForTesting(ReviewSheetHook hook)
{
    TestReviewHook() = std::move(hook);
}

ResultFlowOutcome RunResultSheet(DeskEnvironment& env, QWidget* owner, const ResultFlowInput& input,
                                 const ResultSheetHook& hook)
{
    CResultRecord& record = env.CurrentResult();
    CUserProfile& options = env.UserOptions();

    ResultSheetInput sheetInput;
    sheetInput.page = ResultPageInput::From(record, input.mode, options, env.Privileges());
    sheetInput.page.lessonLevel = input.lessonLevel;
    sheetInput.page.nextLessonExists = input.nextLessonExists;
    sheetInput.keyDelays = input.keyDelays;
    sheetInput.freeTyping = input.freeTyping;
    sheetInput.activePage = input.activePage;

    ResultFlowOutcome out;
    {
        CResultSheet sheet(env, sheetInput, owner);
        if (hook)
            hook(sheet);
        else if (TestResultHook())
            TestResultHook()(sheet);
        sheet.exec();
        out.recommendation = sheet.Recommendation();
        out.activePage = sheet.ActiveIndex();
        out.saveAsked = sheet.SaveRequested() && record.CharsTyped() > 0;
    }

    if (out.saveAsked) {
        env.BeginBusy(u"IDS_MES_SAVEACTION");
        PumpResultStore store(env.Supplier());
        out.save = SaveExerciseResult(store, options, record, input.keyDelays, input.mode);
        env.EndBusy();
        if (out.save.denied && !out.save.reported)
            env.ShowMessage(u"IDS_ERR_WRITEACTION_DENIED", owner, kErrorBox);
    }
    options.SetAlwaysRecommendAction(1);
    return out;
}

bool RunReviewSheet(DeskEnvironment& env, QWidget* owner, std::vector<ReviewViewEntry> views,
                    ReviewStart& out, const ReviewSheetHook& hook)
{
    CPump_TypingData& supplier = env.Supplier();
    CResultRecord reviewed;
    // A user who has stored nothing yet still reviews characters of his own: the sheet opens
    // with an empty chart instead of a read error.
    const CUserData& file = supplier.Store().UserFile();
    if (!file.IsOpen() || file.Count() > 0) {
        supplier.SetErrorKey(u"IDS_ERR_HISTORYITEM");
        if (!supplier.LoadResultRecord(-1, false))
            return false;
        if (!supplier.CheckResultSize(CResultRecord::kSize, true))
            return false;
        reviewed.Assign(supplier.Result());
    }
    KeyDelayBlock keyDelays;
    keyDelays.Assign(env.UserOptions().KeyDelayTable());

    ReviewSelection selection;
    {
        CDlgReview sheet(env, reviewed, keyDelays, std::move(views), owner);
        if (hook)
            hook(sheet);
        else if (TestReviewHook())
            TestReviewHook()(sheet);
        if (sheet.exec() != QDialog::Accepted)
            return false;
        selection = sheet.Selection();
        out.viewId = sheet.ChosenViewId();
    }
    CUserProfile& options = env.UserOptions();
    options.SetReviewViewId(static_cast<uint8_t>(out.viewId));

    out.reviewed = reviewed;
    out.plan = PlanReview(reviewed, selection, options);
    // The result names its course as the catalogue does; the review within it needs the
    // course's file.
    if (!out.plan.courseFile.empty()) {
        supplier.SetErrorKey(u"IDS_ERR_LOADCOURESEINFO");
        if (!supplier.ResolveCourseRef(CourseRefAnswer::kCourse, -1, -1, out.plan.courseFile, 0,
                                       {}))
            return false;
        CourseRefAnswer answer;
        if (answer.Assign(supplier.Result(), true) && answer.Kind() != CourseRefAnswer::kNothing &&
            !answer.CoursePath().empty())
            out.plan.courseFile = answer.CoursePath();
    }

    env.BeginBusy(u"IDS_MES_STARTREVIEW");
    const bool made = GenerateReview(env.Pump(), out.plan, out.layoutFile);
    env.EndBusy();
    if (!made) {
        env.ShowMessage(u"IDS_ERR_GENERATEREVIEWDATA", owner, kErrorBox);
        return false;
    }
    return true;
}

} // namespace kf
