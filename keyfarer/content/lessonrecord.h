#pragma once

// LessonRecord: the 2766-byte record of one lesson, as held in memory and stored in a
// compiled course file after the header (one record per lesson, in lesson order).
//
// Byte order little-endian; texts are UTF-16, NUL-terminated within their field.
//
//   offset  size  type       field
//   0       128   utf16[64]  lesson name (63 characters)
//   128     520   utf16[260] keys description
//   648     520   utf16[260] description
//   1168    520   utf16[260] extra file (slide show or lesson body, relative to Tutorial)
//   1688    520   utf16[260] prenotice message
//   2208    512   -          key data, one of:
//                              key indexes: u8 each, ended by 255 (at most 63)
//                              row indexes: i16 each, ended by -1 (lessons of type 3)
//                              train characters: utf16[256] (courses of type 3)
//   2720    1     u8         lesson index (its number modulo 256)
//   2721    1     u8         Level
//   2722    1     u8         NewGroup
//   2723    1     u8         IsNumpad
//   2724    1     u8         NoEnterKey
//   2725    1     u8         GenerateType
//   2726    1     u8         WordSize
//   2727    1     u8         WordRepeat
//   2728    1     u8         PracticePhaseType
//   2729    1     u8         FitMode
//   2730    1     u8         Type
//   2731    1     u8         AllowShift
//   2732    1     u8         AllowNext
//   2733    1     u8         ShowScreenKb
//   2734    1     u8         StdDisplaySize (255 = the user's setting)
//   2735    1     u8         StdFontSize (percent)
//   2736    1     u8         ContentSize
//   2737    29    -          reserved, zero

#include "platform/bytes.h"

#include <string>
#include <string_view>
#include <vector>

namespace kf {

class LessonRecord : public RecordImage<2766>
{
public:
    static constexpr size_t kName = 0;
    static constexpr size_t kNameUnits = 64;
    static constexpr size_t kKeysDescription = 128;
    static constexpr size_t kDescription = 648;
    static constexpr size_t kExtraFile = 1168;
    static constexpr size_t kPrenotice = 1688;
    static constexpr size_t kTextUnits = 260;
    static constexpr size_t kKeyData = 2208;
    static constexpr size_t kKeyDataSize = 512;
    static constexpr size_t kIndex = 2720;
    static constexpr size_t kLevel = 2721;
    static constexpr size_t kNewGroup = 2722;
    static constexpr size_t kIsNumpad = 2723;
    static constexpr size_t kNoEnterKey = 2724;
    static constexpr size_t kGenerateType = 2725;
    static constexpr size_t kWordSize = 2726;
    static constexpr size_t kWordRepeat = 2727;
    static constexpr size_t kPracticePhaseType = 2728;
    static constexpr size_t kFitMode = 2729;
    static constexpr size_t kType = 2730;
    static constexpr size_t kAllowShift = 2731;
    static constexpr size_t kAllowNext = 2732;
    static constexpr size_t kShowScreenKb = 2733;
    static constexpr size_t kStdDisplaySize = 2734;
    static constexpr size_t kStdFontSize = 2735;
    static constexpr size_t kContentSize = 2736;
    static constexpr size_t kReserved = 2737;

    // Capacities of the key data in its three forms, terminator included.
    static constexpr size_t kMaxKeyIndexes = 63;
    static constexpr uint8_t kKeyIndexEnd = 255;
    static constexpr size_t kMaxRowIndexes = kKeyDataSize / 2 - 1;
    static constexpr int16_t kRowIndexEnd = -1;
    static constexpr size_t kTrainCharUnits = kKeyDataSize / 2;

    // The lesson type that hides a lesson from ordinary lesson lists, and the one shown on the
    // standard view with row indexes.
    static constexpr uint8_t kHiddenType = 1;
    static constexpr uint8_t kRowIndexType = 3;

    std::u16string Name() const { return Text(kName, kNameUnits); }
    void SetName(std::u16string_view v) { SetText(kName, kNameUnits, v); }
    std::u16string KeysDescription() const { return Text(kKeysDescription, kTextUnits); }
    void SetKeysDescription(std::u16string_view v) { SetText(kKeysDescription, kTextUnits, v); }
    std::u16string Description() const { return Text(kDescription, kTextUnits); }
    void SetDescription(std::u16string_view v) { SetText(kDescription, kTextUnits, v); }
    std::u16string ExtraFile() const { return Text(kExtraFile, kTextUnits); }
    void SetExtraFile(std::u16string_view v) { SetText(kExtraFile, kTextUnits, v); }
    std::u16string PrenoticeMessage() const { return Text(kPrenotice, kTextUnits); }
    void SetPrenoticeMessage(std::u16string_view v) { SetText(kPrenotice, kTextUnits, v); }

    // The key data read in each of its forms; each stops at its terminator or at the end of
    // the 512 bytes, so a record without a terminator cannot be read past.
    std::vector<uint8_t> KeyIndexes() const;
    std::vector<int16_t> RowIndexes() const;
    std::u16string TrainChars() const { return Text(kKeyData, kTrainCharUnits); }
    // Writing replaces the whole key data (the rest is zeroed); lists longer than their
    // capacity keep their first values.
    void SetKeyIndexes(const std::vector<uint8_t>& keys);
    void SetRowIndexes(const std::vector<int16_t>& rows);
    void SetTrainChars(std::u16string_view chars);

    uint8_t Index() const { return U8(kIndex); }
    uint8_t Level() const { return U8(kLevel); }
    uint8_t NewGroup() const { return U8(kNewGroup); }
    uint8_t IsNumpad() const { return U8(kIsNumpad); }
    uint8_t NoEnterKey() const { return U8(kNoEnterKey); }
    uint8_t GenerateType() const { return U8(kGenerateType); }
    uint8_t WordSize() const { return U8(kWordSize); }
    uint8_t WordRepeat() const { return U8(kWordRepeat); }
    uint8_t PracticePhaseType() const { return U8(kPracticePhaseType); }
    uint8_t FitMode() const { return U8(kFitMode); }
    uint8_t Type() const { return U8(kType); }
    uint8_t AllowShift() const { return U8(kAllowShift); }
    uint8_t AllowNext() const { return U8(kAllowNext); }
    uint8_t ShowScreenKb() const { return U8(kShowScreenKb); }
    uint8_t StdDisplaySize() const { return U8(kStdDisplaySize); }
    uint8_t StdFontSize() const { return U8(kStdFontSize); }
    uint8_t ContentSize() const { return U8(kContentSize); }
};

static_assert(LessonRecord::kSize == 2766);
static_assert(LessonRecord::kKeyData + LessonRecord::kKeyDataSize == LessonRecord::kIndex);
static_assert(LessonRecord::kReserved + 29 == LessonRecord::kSize);

} // namespace kf
