#pragma once

// CUserData_Prev_2: the reader of the previous user data file format, which the current
// format (CUserData) converts the first time it opens such a file: reading, and the
// conversion of its profile and records. The program never writes this format (Create
// serves the tools and tests that make such files).
//
// Format: a record file store (minidatabase.h) with magic "KYUSRDAT", version 512 (0x200),
// header size 8228 (profile of 8128 bytes at file offset 100), data start 8704, records of
// 620 bytes.
//
// The previous profile, as far as the conversion reads it (offset -> current field):
//   0 account flag (1) -> 4          32 account name (32 units) -> 6
//   96 password (16 units) -> 134    1..14 flags -> 192..205, 16..20 flags -> 206..210
//   24 (4) -> 184                    128, 132, 136, 140 (4 each) -> 168, 172, 176, 180
//   144, 148, 152, 156 (4) -> 212, 216, 220, 224
//   160, 161 (1) -> 228, 229         162 text -> Last_TestText
//   682 text -> Keyboard_LayoutFile  1202, 1722 texts -> 752, 1272
//   2242..2246 (1) -> 1792..1796     2248, 2252, 2256 (4) -> 1800, 1804, 1808
//   2260 (1) -> 1812                 2726 text -> Last_Course   4286 text -> Last_TestCategory
//   5848 (4) -> 3844   5852 (1) -> 3848   5860 (1) -> 3849   5861 (1) -> 3850
//   5864 (4) -> 3856   5868 (1) -> 3860   5872 (4) -> 3852   5876 (1) -> 3861
//   5878 (1) -> 3862   5879 (1) -> 3863   5880 (4) -> 3868   5884 (1) -> 3864
//   5888, 5892, 5896, 5900 (4) -> the four colours at 3872..3884
//   5904 text (65 units) -> Font_Name    6036 (4) -> 4020    6040..6043 (1) -> 4024..4027
//   6044 (1): its low and high nibbles -> UseBitCaret and DoubleLineView (4028)
//   6048 text (8 units) -> Tab_String    6064 text (8 units) -> Space_String
// Last_Lesson, WhichHand and the key-delay table start empty.
//
// The previous record (620 bytes):
//   0 status   1 display size   2 lesson index (8 bits)   3 exercise kind   4 end reason
//   8 course name (132 units)   272 lesson name (128 units)   528 extra name (32 units)
//   592 start time (16 bytes)   608 typing time   612 characters typed   616 correct

#include "minidatabase.h"
#include "resultrecord.h"
#include "userprofile.h"

#include <cstdint>

namespace kf {

class CUserData_Prev_2 : public CMiniDatabase
{
public:
    static constexpr char16_t kMagic[] = u"KYUSRDAT";
    static constexpr uint32_t kVersion = 0x200;
    static constexpr uint32_t kHeaderSize = 8228;
    static constexpr uint32_t kProfileSize = kHeaderSize - kBaseHeaderSize;
    static constexpr uint32_t kRecordSize = 620;
    static_assert(DataStartFor(kHeaderSize) == 8704);

    // Previous record offsets.
    static constexpr size_t kRecDisplaySize = 1;
    static constexpr size_t kRecLessonIndex = 2;
    static constexpr size_t kRecKind = 3;
    static constexpr size_t kRecEndReason = 4;
    static constexpr size_t kRecCourseName = 8;
    static constexpr size_t kRecCourseUnits = 132;
    static constexpr size_t kRecLessonName = 272;
    static constexpr size_t kRecLessonUnits = 128;
    static constexpr size_t kRecExtraName = 528;
    static constexpr size_t kRecExtraUnits = 32;
    static constexpr size_t kRecStartTime = 592;
    static constexpr size_t kRecTypingTime = 608;
    static constexpr size_t kRecCharsTyped = 612;
    static constexpr size_t kRecCharsCorrect = 616;
    static_assert(kRecCharsCorrect + 4 == kRecordSize);

    CUserData_Prev_2();

    // The 8128-byte previous profile of the open file, and its replacement for a file about
    // to be created (shorter input is padded with zeros).
    ByteSpan ProfileBytes() const { return GetExtendedHeader(); }
    void SetProfileBytes(ByteSpan profile) { SetExtendedHeader(profile); }

    // The current profile built from a previous one (at least kProfileSize bytes; shorter
    // input gives an all-zero profile).
    static CUserProfile ConvertProfile(ByteSpan previous);
    // The current record built from a previous one (kRecordSize bytes) with its number.
    static CResultRecord ConvertRecord(ByteSpan previous, uint32_t number);

protected:
    HeaderCheck CheckHeader() override;
    void InitHeader(uint8_t* header) override;
};

} // namespace kf
