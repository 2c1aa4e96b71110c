#pragma once

// CourseRefAnswer: the 1580-byte answer of ResolveCourseRef, locating a course (kind 1) or a
// lesson of a course (kind 2). Little-endian; texts UTF-16, NUL-terminated.
//
//   offset  size  type       field
//   0       4     i32        kind: 1 course, 2 lesson; 0 = no course of that name was found
//   4       4     i32        lesson index (kind 2), else -1
//   8       4     u32        kind 2: the lesson's Type OR (FitMode shifted left 16 bits)
//   12      4     -          reserved
//   16      520   utf16[260] course path relative to Tutorial
//   536     520   utf16[260] course name
//   1056    520   utf16[260] lesson name (kind 2)
//   1576    4     -          reserved

#include "platform/bytes.h"

#include <string>

namespace kf {

class CourseRefAnswer : public RecordImage<1580>
{
public:
    static constexpr size_t kKind = 0;
    static constexpr size_t kLessonIndex = 4;
    static constexpr size_t kLessonFlags = 8;
    static constexpr size_t kCoursePath = 16;
    static constexpr size_t kCourseName = 536;
    static constexpr size_t kLessonName = 1056;
    static constexpr size_t kTextUnits = 260;

    static constexpr int32_t kNothing = 0;
    static constexpr int32_t kCourse = 1;
    static constexpr int32_t kLesson = 2;

    int32_t Kind() const { return I32(kKind); }
    int32_t LessonIndex() const { return I32(kLessonIndex); }
    uint32_t LessonFlags() const { return U32(kLessonFlags); }
    uint8_t LessonType() const { return static_cast<uint8_t>(U32(kLessonFlags) & 0xFF); }
    uint8_t LessonFitMode() const { return static_cast<uint8_t>((U32(kLessonFlags) >> 16) & 0xFF); }
    std::u16string CoursePath() const { return Text(kCoursePath, kTextUnits); }
    std::u16string CourseName() const { return Text(kCourseName, kTextUnits); }
    std::u16string LessonName() const { return Text(kLessonName, kTextUnits); }
};

static_assert(CourseRefAnswer::kLessonName + 2 * CourseRefAnswer::kTextUnits + 4 == CourseRefAnswer::kSize);
static_assert(CourseRefAnswer::kSize == 1580);

} // namespace kf
