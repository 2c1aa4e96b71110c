#pragma once

// The two modal steps of the desk that come after an exercise and before a review:
//
// RunResultSheet shows the result sheet for the desk's current result record, saves the
// result when the user keeps the save box checked (busy notice "IDS_MES_SAVEACTION"; the time
// goes to the profile's totals, the record and the slowest keys to the user's file, the keys
// stay in the profile for a review), sets "Always_RecommendAction" in the user options in
// memory and hands back what the user chose next.
//
// RunReviewSheet reads the newest stored result, shows the review sheet with the slowest
// characters kept in the profile, and on "start" generates the review text into the engine
// (busy notice "IDS_MES_STARTREVIEW"; "IDS_ERR_GENERATEREVIEWDATA" when none can be made).
// The desk then loads the keyboard the review needs and enters review mode.

#include "session/keydelayblock.h"
#include "session/resultreview.h"
#include "session/resultsaving.h"
#include "users/ui/dlgkeydelay.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace kf {

class CDlgReview;
class CResultSheet;
class DeskEnvironment;

struct ResultFlowInput
{
    int mode = 2; // the desk mode of the exercise
    bool freeTyping = false;
    int lessonLevel = 0;           // the lesson's "Level" (lesson texts)
    bool nextLessonExists = false; // the course has a lesson after this one
    int activePage = 0;            // the sheet's page last left open
    KeyDelayBlock keyDelays;       // the exercise's slowest characters
};

struct ResultFlowOutcome
{
    int recommendation = 3; // 0 once again, 2 next lesson, 3 back to the desk
    int activePage = 0;     // to open the next sheet on
    bool saveAsked = false; // the result page asked to save (and characters were typed)
    SaveOutcome save;
};

// Called with the sheet before it is shown (tests drive it from here; the program passes
// nothing). Without one the hook set for testing, if any, is called.
using ResultSheetHook = std::function<void(CResultSheet&)>;
ResultFlowOutcome RunResultSheet(DeskEnvironment& env, QWidget* owner, const ResultFlowInput& input,
                                 const ResultSheetHook& hook = {});

struct ReviewStart
{
    ReviewPlan plan;           // characters, size, course and minutes of the review
    std::u16string layoutFile; // the keyboard the review needs (course with its own keyboard)
    int viewId = 0;            // the view chosen, stored as "ViewID" of "Review"
    CResultRecord reviewed;    // the result the review was chosen from
};

using ReviewSheetHook = std::function<void(CDlgReview&)>;

// Tests that drive the whole desk, which opens the sheets itself, set hooks that answer
// every sheet as a user would (choose, then close it); empty functions remove them.
void SetResultSheetHookForTesting(ResultSheetHook hook);
void SetReviewSheetHookForTesting(ReviewSheetHook hook);
// False when nothing is to start: the newest result could not be read (the supplier has
// told the user), the sheet was closed, or no review text could be made (told here). On true
// the engine holds the review text (kind 33 or 34).
bool RunReviewSheet(DeskEnvironment& env, QWidget* owner, std::vector<ReviewViewEntry> views,
                    ReviewStart& out, const ReviewSheetHook& hook = {});

} // namespace kf
