#pragma once

// The codes that say what an exercise is: the exercise kind (stored as a byte in every result
// record), the desk mode and the end reason.

#include <cstdint>

namespace kf {

namespace kind {
constexpr int kNothing = 9999;       // nothing loaded yet
constexpr int kLesson = 10;          // phases or sentences of a lesson
constexpr int kCodeLesson = 20;      // recognised as a lesson of a code course; never produced
constexpr int kKeyDrill = 21;        // key drill of a course with its own keyboard
constexpr int kTest = 30;
constexpr int kTest31 = 31;          // further test kinds: recognised, never produced
constexpr int kTest32 = 32;
constexpr int kReview = 33;          // review of chosen characters
constexpr int kCourseReview = 34;    // review within a course with its own keyboard
constexpr int kSlideShow = 35;
constexpr int kOriginalCopyTest = 36;
constexpr int kTest37 = 37;
constexpr int kFreeTyping = 99;
} // namespace kind

inline bool IsTestKind(int k)
{
    return k == kind::kTest || k == kind::kTest31 || k == kind::kTest32 ||
           k == kind::kOriginalCopyTest || k == kind::kTest37;
}
// Kinds graded against the lesson's level.
inline bool IsLessonTextKind(int k)
{
    return k == kind::kLesson || k == kind::kCodeLesson || k == kind::kKeyDrill ||
           k == kind::kSlideShow;
}
// Kinds whose typed keys go through the course's code tips.
inline bool IsCodeCourseKind(int k)
{
    return k == kind::kCodeLesson || k == kind::kKeyDrill || k == kind::kCourseReview;
}

namespace desk_mode {
constexpr int kIdle = 1;
constexpr int kLesson = 2;
constexpr int kTest = 3;
constexpr int kReview = 4;
constexpr int kGame = 5;
constexpr int kSlideShow = 21;
} // namespace desk_mode

namespace abort_type {
constexpr int kTimeOut = 1;
constexpr int kLessonAborted = 2;
constexpr int kTestAborted = 3;
constexpr int kGameAborted = 4;
constexpr int kFinished = 5;
constexpr int kGameOver = 6;
constexpr int kReviewAborted = 7;
} // namespace abort_type

} // namespace kf
