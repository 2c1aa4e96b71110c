#pragma once

// CourseHeader: the 2180-byte course header record, the first part of a compiled course file
// and the in-memory header of every loaded course (text or compiled form).
//
// Byte order little-endian; texts are UTF-16, NUL-terminated within their field.
//
//   offset  size  type       field
//   0       16    utf16[8]   tag: "KBTRAIN" and NUL
//   16      520   utf16[260] course name
//   536     2     u16        version of the course content
//   538     2     -          reserved
//   540     4     u32        lesson count
//   544     1     u8         course type ("TrainType"; 3 = own characters and keyboard)
//   545     1     u8         layout type ("KeyboardLayoutType": 0..5, 255 = any; 5 = keypad)
//   546     520   utf16[260] code table file ("Code_File")
//   1066    66    utf16[33]  special font name (31 characters are stored)
//   1132    520   utf16[260] course description
//   1652    520   utf16[260] course keyboard file ("KeyboardLayout_File")
//   2172    1     u8         forbid word tips (0/1)
//   2173    1     u8         for hand (255 = any)
//   2174    1     u8         separator line before the course in the catalogue (order file)
//   2175    1     -          reserved
//   2176    4     u32        catalogue ordinal (order file)
//
// The separator line and the ordinal come from the course order file when the catalogue is
// built; files hold 0 there.

#include "platform/bytes.h"

#include <string>
#include <string_view>

namespace kf {

class CourseHeader : public RecordImage<2180>
{
public:
    static constexpr size_t kTag = 0;
    static constexpr size_t kTagUnits = 8;
    static constexpr size_t kName = 16;
    static constexpr size_t kVersion = 536;
    static constexpr size_t kLessonCount = 540;
    static constexpr size_t kTrainType = 544;
    static constexpr size_t kLayoutType = 545;
    static constexpr size_t kCodeFile = 546;
    static constexpr size_t kFontName = 1066;
    static constexpr size_t kFontNameUnits = 33;
    static constexpr size_t kDescription = 1132;
    static constexpr size_t kKeyboardFile = 1652;
    static constexpr size_t kForbidWordTips = 2172;
    static constexpr size_t kForHand = 2173;
    static constexpr size_t kSeparatorLine = 2174;
    static constexpr size_t kOrdinal = 2176;
    static constexpr size_t kTextUnits = 260;

    // The course type of courses with their own characters and keyboard (input-method and
    // special-script courses).
    static constexpr uint8_t kOwnCharactersType = 3;
    // The layout type of numeric keypad courses, and the "any" value of the type and hand.
    static constexpr uint8_t kKeypadLayoutType = 5;
    static constexpr uint8_t kAny = 255;

    // The layout type of courses that run on every layout's keys.
    static constexpr uint8_t kAnyKeysLayoutType = 2;

    // True when bytes start with the tag "KBTRAIN" and its NUL (16 bytes).
    static bool StartsWithTag(ByteSpan bytes);

    // Whether a course of this layout type runs on a loaded layout of layoutType (the desk
    // refuses the others): its own type, type 2, and "any" (255). The catalogue offers only
    // its own type and "any", so courses for every layout, the keypad courses among them,
    // say 255.
    static bool FitsLayout(uint8_t courseLayoutType, uint8_t layoutType)
    {
        return courseLayoutType == layoutType || courseLayoutType == kAnyKeysLayoutType ||
               courseLayoutType == kAny;
    }

    std::u16string Tag() const { return Text(kTag, kTagUnits); }
    void SetTag() { SetText(kTag, kTagUnits, u"KBTRAIN"); }

    std::u16string Name() const { return Text(kName, kTextUnits); }
    void SetName(std::u16string_view v) { SetText(kName, kTextUnits, v); }
    uint16_t Version() const { return U16(kVersion); }
    void SetVersion(uint16_t v) { SetU16(kVersion, v); }
    uint32_t LessonCount() const { return U32(kLessonCount); }
    void SetLessonCount(uint32_t v) { SetU32(kLessonCount, v); }
    uint8_t TrainType() const { return U8(kTrainType); }
    void SetTrainType(uint8_t v) { SetU8(kTrainType, v); }
    uint8_t LayoutType() const { return U8(kLayoutType); }
    void SetLayoutType(uint8_t v) { SetU8(kLayoutType, v); }
    std::u16string CodeFile() const { return Text(kCodeFile, kTextUnits); }
    void SetCodeFile(std::u16string_view v) { SetText(kCodeFile, kTextUnits, v); }
    std::u16string FontName() const { return Text(kFontName, kFontNameUnits); }
    void SetFontName(std::u16string_view v) { SetText(kFontName, kFontNameUnits, v); }
    std::u16string Description() const { return Text(kDescription, kTextUnits); }
    void SetDescription(std::u16string_view v) { SetText(kDescription, kTextUnits, v); }
    std::u16string KeyboardFile() const { return Text(kKeyboardFile, kTextUnits); }
    void SetKeyboardFile(std::u16string_view v) { SetText(kKeyboardFile, kTextUnits, v); }
    uint8_t ForbidWordTips() const { return U8(kForbidWordTips); }
    void SetForbidWordTips(uint8_t v) { SetU8(kForbidWordTips, v); }
    uint8_t ForHand() const { return U8(kForHand); }
    void SetForHand(uint8_t v) { SetU8(kForHand, v); }
    uint8_t SeparatorLine() const { return U8(kSeparatorLine); }
    void SetSeparatorLine(uint8_t v) { SetU8(kSeparatorLine, v); }
    uint32_t Ordinal() const { return U32(kOrdinal); }
    void SetOrdinal(uint32_t v) { SetU32(kOrdinal, v); }
};

static_assert(CourseHeader::kSize == 2180);
static_assert(CourseHeader::kOrdinal + 4 == CourseHeader::kSize);
static_assert(CourseHeader::kFontName + 2 * CourseHeader::kFontNameUnits ==
              CourseHeader::kDescription);

} // namespace kf
