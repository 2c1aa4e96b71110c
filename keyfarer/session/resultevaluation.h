#pragma once

// Grading of a finished exercise for the result page: the figures shown, the speed and
// accuracy grades that choose the comment, the recommendation of what to do next and the
// sound played when the page opens. Pure functions over the result's numbers.

#include "session/typingfigures.h"

#include <cstdint>
#include <string>

namespace kf {

struct ResultInput
{
    int64_t totalHits = 0;   // P
    int64_t correctHits = 0; // C (the desk stores P here for free typing)
    int64_t elapsedMs = 0;   // the stored time, whole seconds in milliseconds
    int kind = 0;            // exercise kind
    int lessonLevel = 0;     // the lesson's Level, used for lesson texts only
    int32_t pass = 60;       // "Single_Pass"
    int32_t fullmark = 180;  // "Single_Fullmark"
    int32_t passAccuracy = 85; // "Pass_Accuracy"
    int32_t errorFactor = 5; // "Error_Factor"
    bool wordsPerMinute = false; // "SpeedUnit_WPM"
};

// What the result page shows; speeds in the user's unit.
struct ResultFigures
{
    double netSpeed = 0;   // N * 60000 / t / u, 0 when N is 0
    double goal = 0;       // "Single_Fullmark" / u
    double accuracy = 0;   // N * 100 / P (with the error factor), 0 when P is 0
    int64_t totalHits = 0;
    double grossSpeed = 0; // P * 60000 / t / u
    ErrorFigures errors;   // (P - C) * f, P - C and f
    int64_t seconds = 0;   // t / 1000, at least 1
    bool wordsPerMinute = false;
};
// The error factor of the result page counts 0 as 5; the speed unit divides by 5 for words.
ResultFigures ComputeResultFigures(const ResultInput& in);

struct ResultGrade
{
    int64_t speed = 0;      // gross characters per minute, integer
    int64_t pass = 0;       // pass and full-mark speed after the lesson level's scaling
    int64_t fullmark = 0;
    int64_t accuracy = 0;   // C * 100 / P in whole percent (100 in free typing)
    int speedGrade = 0;     // 0 to 3
    int accuracyGrade = 0;  // 0 to 2
    int gradeValue = 0;     // speedGrade + 10 * accuracyGrade
    std::u16string commentKey; // "IDS_RESULT_C_" + speed grade + accuracy grade
};

// Grades speed and accuracy. A pass speed at or above the full mark counts as 6/10 of the full
// mark; lesson texts scale both by (10 - Level) / 10 (a Level above 9 counts as 0). The speed
// grade is 0 below the pass speed, then 1 to 3 by the distance from pass to full mark in
// halves; when the scaled full mark does not lie above the scaled pass speed there is no such
// distance, and a speed that reaches the pass speed has reached the full mark too: grade 3.
// A time of 0 gives speed 0.
ResultGrade EvaluateResult(const ResultInput& in);

// Choices of the result page and the recommendation they hand back to the desk.
namespace recommendation {
constexpr int kOnceAgain = 0;
constexpr int kNextLesson = 2;
constexpr int kBackToDesk = 3;
} // namespace recommendation

struct RecommendationInput
{
    bool chooseLessonPrivilege = true;  // privilege ChooseLesson
    bool alwaysSaveTestsPrivilege = false; // privilege AlwaysSaveTests
    int mode = 2;                       // desk mode
    int kind = 10;                      // exercise kind
    bool nextLessonExists = false;      // NextLesson found one (lesson texts)
    int gradeValue = 0;                 // ResultGrade::gradeValue
};

struct Recommendation
{
    bool nextLessonPossible = false;
    bool nextLessonHidden = false;  // tests show no next-lesson choice
    bool saveForced = false;        // saved always; the save box is hidden
    int preselected = recommendation::kOnceAgain;
};
Recommendation Recommend(const RecommendationInput& in);

// The recommendation of the first, second and third choice (0, 1, 2): 0, 2 or 3.
int RecommendationOfChoice(int choice);

// The sound grade 0 to 5 of a result: an exercise that missed the pass speed or the pass
// accuracy gets at most 2 (speed grade + accuracy grade); one that passed both gets speed grade
// + accuracy grade + 1, at most 5, so that a pass is at least "good" and reaching the full mark
// or typing without an error on top of a good speed is "very good".
int SoundGrade(const ResultGrade& grade);
// The index in the look's sound table for a sound grade: 3 "ResultVeryGood" for 5,
// 2 "ResultGood" for 3 and 4, 1 "ResultBad" otherwise.
int ResultSoundIndex(int soundGrade);

// The interface text key of an end reason; empty for unknown values.
std::u16string AbortTypeTextKey(int abortType);

} // namespace kf
