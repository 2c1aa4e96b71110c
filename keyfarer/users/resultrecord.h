#pragma once

// CResultRecord: the 1156-byte record of one finished exercise, as the typing desk fills it
// and the user data file stores it (one record per exercise).
//
// Layout (little-endian; texts UTF-16, NUL-terminated within their field):
//
//   offset  size  type     field
//   0       1     uint8    status, 0 = live (the store passes over any other value)
//   4       4     uint32   record number (1, 2, 3 ... in the order of the file)
//   12      16    uint16x8 start time: year, month, day of week, day, hour, minute, second, ms
//   28      4     uint32   typing time in milliseconds (whole seconds)
//   32      1     uint8    desk mode: 2 lesson, 3 test, 4 review, 5 game, 21 slide show
//   33      1     uint8    end reason: 1 time-out, 2 lesson aborted, 3 test aborted, 4 game
//                          aborted, 5 finished, 6 game over, 7 review aborted
//   34      1     uint8    exercise kind (10 lesson, 21 key drill, 30-32/36/37 tests,
//                          33 review, 34 code-table review, 35 slide show, 99 free typing)
//   36      520   text 260 course name or test category
//   556     2     uint16   lesson index
//   558     520   text 260 lesson name or test title
//   1078    64    text 32  extra name
//   1142    1     uint8    display size of the view
//   1144    4     uint32   characters typed
//   1148    4     uint32   characters typed correctly
//   1152    4     -        reserved

#include "recordfield.h"

#include "platform/bytes.h"
#include "platform/clock.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kf {

// Exercise kinds that the statistics and the history single out.
constexpr uint8_t kKindFreeTyping = 99;
constexpr uint8_t kKindReview = 33;
// True for the test kinds 30, 31, 32, 36 and 37.
constexpr bool IsTestKind(uint32_t kind)
{
    return kind == 30 || kind == 31 || kind == 32 || kind == 36 || kind == 37;
}

class CResultRecord : public RecordImage<1156>
{
public:
    static constexpr size_t kStatus = 0;
    static constexpr size_t kRecordNumber = 4;
    static constexpr size_t kStartTime = 12;
    static constexpr size_t kTypingTime = 28;
    static constexpr size_t kDeskMode = 32;
    static constexpr size_t kEndReason = 33;
    static constexpr size_t kExerciseKind = 34;
    static constexpr size_t kCourseName = 36;
    static constexpr size_t kNameUnits = 260;
    static constexpr size_t kLessonIndex = 556;
    static constexpr size_t kLessonName = 558;
    static constexpr size_t kExtraName = 1078;
    static constexpr size_t kExtraNameUnits = 32;
    static constexpr size_t kDisplaySize = 1142;
    static constexpr size_t kCharsTyped = 1144;
    static constexpr size_t kCharsCorrect = 1148;
    static constexpr size_t kReserved = 1152;
    static_assert(kCourseName + 2 * kNameUnits == kLessonIndex);
    static_assert(kLessonName + 2 * kNameUnits == kExtraName);
    static_assert(kReserved + 4 == kSize);

    static std::span<const RecordField> Fields();

    uint8_t Status() const { return U8(kStatus); }
    void SetStatus(uint8_t v) { SetU8(kStatus, v); }
    uint32_t RecordNumber() const { return U32(kRecordNumber); }
    void SetRecordNumber(uint32_t v) { SetU32(kRecordNumber, v); }
    LocalDateTime StartTime() const;
    void SetStartTime(const LocalDateTime& t);
    uint32_t TypingTime() const { return U32(kTypingTime); }
    void SetTypingTime(uint32_t ms) { SetU32(kTypingTime, ms); }
    uint8_t DeskMode() const { return U8(kDeskMode); }
    void SetDeskMode(uint8_t v) { SetU8(kDeskMode, v); }
    uint8_t EndReason() const { return U8(kEndReason); }
    void SetEndReason(uint8_t v) { SetU8(kEndReason, v); }
    uint8_t ExerciseKind() const { return U8(kExerciseKind); }
    void SetExerciseKind(uint8_t v) { SetU8(kExerciseKind, v); }
    std::u16string CourseName() const { return Text(kCourseName, kNameUnits); }
    void SetCourseName(std::u16string_view v) { SetText(kCourseName, kNameUnits, v); }
    uint16_t LessonIndex() const { return U16(kLessonIndex); }
    void SetLessonIndex(uint16_t v) { SetU16(kLessonIndex, v); }
    std::u16string LessonName() const { return Text(kLessonName, kNameUnits); }
    void SetLessonName(std::u16string_view v) { SetText(kLessonName, kNameUnits, v); }
    std::u16string ExtraName() const { return Text(kExtraName, kExtraNameUnits); }
    void SetExtraName(std::u16string_view v) { SetText(kExtraName, kExtraNameUnits, v); }
    uint8_t DisplaySize() const { return U8(kDisplaySize); }
    void SetDisplaySize(uint8_t v) { SetU8(kDisplaySize, v); }
    uint32_t CharsTyped() const { return U32(kCharsTyped); }
    void SetCharsTyped(uint32_t v) { SetU32(kCharsTyped, v); }
    uint32_t CharsCorrect() const { return U32(kCharsCorrect); }
    void SetCharsCorrect(uint32_t v) { SetU32(kCharsCorrect, v); }
};

static_assert(CResultRecord::kSize == 1156);

// The start time as seconds since 1970, reading the stored fields as local time; 0 when
// they do not form a date.
uint32_t StartTimeSeconds(const LocalDateTime& t);

} // namespace kf
