#pragma once

// Builders of user files for the tests of the users folder: results, current-format files
// made through the store, and previous-format files with chosen records.

#include "users/resultrecord.h"
#include "users/userdata.h"
#include "users/userdata_prev_2.h"

#include <string>
#include <vector>

namespace kf::test {

inline CResultRecord MakeResult(uint8_t kind, uint32_t ms, uint32_t typed, uint32_t correct,
                                std::u16string_view lesson = u"L", uint16_t day = 1)
{
    CResultRecord r;
    r.SetExerciseKind(kind);
    r.SetDeskMode(IsTestKind(kind) ? 3 : 2);
    r.SetEndReason(5);
    r.SetTypingTime(ms);
    r.SetCharsTyped(typed);
    r.SetCharsCorrect(correct);
    r.SetCourseName(u"Course");
    r.SetLessonName(lesson);
    LocalDateTime t;
    t.year = 2024;
    t.month = 3;
    t.day = day;
    t.hour = 12;
    r.SetStartTime(t);
    return r;
}

inline bool MakeUserFile(std::u16string_view path, const CUserProfile& profile,
                         const std::vector<CResultRecord>& records)
{
    CUserData file;
    file.SetProfile(profile);
    if (!file.Create(path))
        return false;
    for (const CResultRecord& r : records)
        if (!file.Append(r.bytes()))
            return false;
    return file.Close();
}

// A previous-format record: status, display size, lesson index, kind, end reason, names,
// start time and figures at their previous offsets.
inline Bytes MakePreviousRecord(uint8_t status, uint8_t kind, uint32_t ms, uint32_t typed,
                                uint32_t correct, std::u16string_view lesson)
{
    using P = CUserData_Prev_2;
    Bytes r(P::kRecordSize, 0);
    r[0] = status;
    r[P::kRecDisplaySize] = 3;
    r[P::kRecLessonIndex] = 200;
    r[P::kRecKind] = kind;
    r[P::kRecEndReason] = 5;
    StoreUtf16Field(r.data() + P::kRecCourseName, P::kRecCourseUnits, u"Old course");
    StoreUtf16Field(r.data() + P::kRecLessonName, P::kRecLessonUnits, lesson);
    StoreUtf16Field(r.data() + P::kRecExtraName, P::kRecExtraUnits, u"extra");
    StoreLe<uint16_t>(r.data() + P::kRecStartTime, 2019);
    StoreLe<uint16_t>(r.data() + P::kRecStartTime + 2, 7);
    StoreLe<uint16_t>(r.data() + P::kRecStartTime + 6, 18);
    StoreLe<uint32_t>(r.data() + P::kRecTypingTime, ms);
    StoreLe<uint32_t>(r.data() + P::kRecCharsTyped, typed);
    StoreLe<uint32_t>(r.data() + P::kRecCharsCorrect, correct);
    return r;
}

inline bool MakePreviousFile(std::u16string_view path, const Bytes& profile,
                             const std::vector<Bytes>& records)
{
    CUserData_Prev_2 file;
    file.SetProfileBytes(profile);
    if (!file.Create(path))
        return false;
    for (const Bytes& r : records)
        if (!file.Append(r))
            return false;
    return file.Close();
}

} // namespace kf::test
