#pragma once

// CProgressPoint: one stored result in the answer of the supplier's ListProgressPoints
// request (12 bytes each; little-endian), a point of the progress chart.
//
//   offset  size  type     field
//   0       4     -        reserved
//   4       4     uint32   duration, seconds (stored milliseconds / 1000)
//   8       1     uint8    data-type code (the exercise kind)
//   9       1     uint8    accuracy, percent: (G - F x (G - C)) x 100 / G when F x (G - C) < G,
//                          else 0 (G gross, C correct strokes, F the error factor asked for)
//   10      2     uint16   gross speed, characters per minute: G x 60 / duration in seconds
//                          (0 for a result shorter than one second)

#include "platform/bytes.h"

#include <cstdint>

namespace kf {

class CProgressPoint : public RecordImage<12>
{
public:
    static constexpr size_t kDuration = 4;
    static constexpr size_t kDataType = 8;
    static constexpr size_t kAccuracy = 9;
    static constexpr size_t kGrossSpeed = 10;

    uint32_t Duration() const { return U32(kDuration); }
    void SetDuration(uint32_t v) { SetU32(kDuration, v); }
    uint8_t DataType() const { return U8(kDataType); }
    void SetDataType(uint8_t v) { SetU8(kDataType, v); }
    uint8_t Accuracy() const { return U8(kAccuracy); }
    void SetAccuracy(uint8_t v) { SetU8(kAccuracy, v); }
    uint16_t GrossSpeed() const { return U16(kGrossSpeed); }
    void SetGrossSpeed(uint16_t v) { SetU16(kGrossSpeed, v); }
};

static_assert(CProgressPoint::kSize == 12);

} // namespace kf
