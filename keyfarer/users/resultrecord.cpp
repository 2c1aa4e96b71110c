#include "resultrecord.h"

#include <ctime>

namespace kf {

namespace {

using K = FieldKind;
using R = CResultRecord;

constexpr RecordField kResultFields[] = {
    {"Status", R::kStatus, K::U8},
    {"RecordNumber", R::kRecordNumber, K::U32},
    {"StartTime", R::kStartTime, K::DateTime},
    {"TypingTime", R::kTypingTime, K::U32},
    {"DeskMode", R::kDeskMode, K::U8},
    {"EndReason", R::kEndReason, K::U8},
    {"ExerciseKind", R::kExerciseKind, K::U8},
    {"CourseName", R::kCourseName, K::Text, R::kNameUnits},
    {"LessonIndex", R::kLessonIndex, K::U16},
    {"LessonName", R::kLessonName, K::Text, R::kNameUnits},
    {"ExtraName", R::kExtraName, K::Text, R::kExtraNameUnits},
    {"DisplaySize", R::kDisplaySize, K::U8},
    {"CharsTyped", R::kCharsTyped, K::U32},
    {"CharsCorrect", R::kCharsCorrect, K::U32},
};

} // namespace

std::span<const RecordField> CResultRecord::Fields()
{
    return kResultFields;
}

LocalDateTime CResultRecord::StartTime() const
{
    LocalDateTime t;
    t.year = U16(kStartTime);
    t.month = U16(kStartTime + 2);
    t.dayOfWeek = U16(kStartTime + 4);
    t.day = U16(kStartTime + 6);
    t.hour = U16(kStartTime + 8);
    t.minute = U16(kStartTime + 10);
    t.second = U16(kStartTime + 12);
    t.milliseconds = U16(kStartTime + 14);
    return t;
}

void CResultRecord::SetStartTime(const LocalDateTime& t)
{
    SetU16(kStartTime, t.year);
    SetU16(kStartTime + 2, t.month);
    SetU16(kStartTime + 4, t.dayOfWeek);
    SetU16(kStartTime + 6, t.day);
    SetU16(kStartTime + 8, t.hour);
    SetU16(kStartTime + 10, t.minute);
    SetU16(kStartTime + 12, t.second);
    SetU16(kStartTime + 14, t.milliseconds);
}

uint32_t StartTimeSeconds(const LocalDateTime& t)
{
    // Fields out of their ranges come from damaged records; they give no date rather than
    // one that mktime would normalise into another day.
    if (t.year < 1970 || t.year > 2105 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 ||
        t.hour > 23 || t.minute > 59 || t.second > 60)
        return 0;
    std::tm tm = {};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_isdst = -1;
    const std::time_t s = std::mktime(&tm);
    if (s < 0 || static_cast<uint64_t>(s) > 0xFFFFFFFFu)
        return 0;
    return static_cast<uint32_t>(s);
}

} // namespace kf
