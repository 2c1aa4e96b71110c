#pragma once

// CHistoryItem: one stored result in the answer of the supplier's ListHistoryItems request
// (564 bytes each; little-endian). The store sends the net figures as zero; the history page
// computes them with the user's error factor.
//
//   offset  size  type     field
//   0       4     int32    record number: the result's position in the file, 0 = oldest
//   4       520   text 260 content name: for tests the test text's file name without folder
//                          and ".txt"; for free typing the "IDS_USEDATATYPE_FREETYPE" text;
//                          else the title stored with the result
//   524     4     uint32   date and time of the result, seconds since 1970
//   528     4     int32    duration, seconds (stored milliseconds / 1000)
//   532     4     int32    gross strokes
//   536     4     int32    net strokes, sent as 0
//   540     4     int32    error strokes (gross - correct)
//   544     4     -        reserved
//   548     4     float32  gross speed, sent as 0
//   552     4     float32  net speed, sent as 0
//   556     4     float32  accuracy, sent as 0
//   560     4     int32    data-type code (the exercise kind)

#include "platform/bytes.h"

#include <bit>
#include <cstdint>
#include <string>

namespace kf {

class CHistoryItem : public RecordImage<564>
{
public:
    static constexpr size_t kRecordNumber = 0;
    static constexpr size_t kContentName = 4;
    static constexpr size_t kContentNameUnits = 260;
    static constexpr size_t kDateTime = 524;
    static constexpr size_t kDuration = 528;
    static constexpr size_t kGrossStrokes = 532;
    static constexpr size_t kNetStrokes = 536;
    static constexpr size_t kErrorStrokes = 540;
    static constexpr size_t kGrossSpeed = 548;
    static constexpr size_t kNetSpeed = 552;
    static constexpr size_t kAccuracy = 556;
    static constexpr size_t kDataType = 560;
    static_assert(kContentName + 2 * kContentNameUnits == kDateTime);

    int32_t RecordNumber() const { return I32(kRecordNumber); }
    void SetRecordNumber(int32_t v) { SetI32(kRecordNumber, v); }
    std::u16string ContentName() const { return Text(kContentName, kContentNameUnits); }
    void SetContentName(std::u16string_view v) { SetText(kContentName, kContentNameUnits, v); }
    uint32_t DateTime() const { return U32(kDateTime); }
    void SetDateTime(uint32_t v) { SetU32(kDateTime, v); }
    int32_t Duration() const { return I32(kDuration); }
    void SetDuration(int32_t v) { SetI32(kDuration, v); }
    int32_t GrossStrokes() const { return I32(kGrossStrokes); }
    void SetGrossStrokes(int32_t v) { SetI32(kGrossStrokes, v); }
    int32_t NetStrokes() const { return I32(kNetStrokes); }
    void SetNetStrokes(int32_t v) { SetI32(kNetStrokes, v); }
    int32_t ErrorStrokes() const { return I32(kErrorStrokes); }
    void SetErrorStrokes(int32_t v) { SetI32(kErrorStrokes, v); }
    float GrossSpeed() const { return std::bit_cast<float>(U32(kGrossSpeed)); }
    void SetGrossSpeed(float v) { SetU32(kGrossSpeed, std::bit_cast<uint32_t>(v)); }
    float NetSpeed() const { return std::bit_cast<float>(U32(kNetSpeed)); }
    void SetNetSpeed(float v) { SetU32(kNetSpeed, std::bit_cast<uint32_t>(v)); }
    float Accuracy() const { return std::bit_cast<float>(U32(kAccuracy)); }
    void SetAccuracy(float v) { SetU32(kAccuracy, std::bit_cast<uint32_t>(v)); }
    int32_t DataType() const { return I32(kDataType); }
    void SetDataType(int32_t v) { SetI32(kDataType, v); }
};

static_assert(CHistoryItem::kSize == 564);

} // namespace kf
