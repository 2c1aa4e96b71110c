#pragma once

// CRankEntry: one account's totals in the answer of the supplier's ListRankEntries request
// (100 bytes each; little-endian). The store fills the sums; the rank page fills the rest.
//
//   offset  size  type     field
//   0       4     int32    position after sorting (rank page)
//   4       64    text 32  account name
//   68      4     float32  gross speed (rank page)
//   72      4     float32  net speed (rank page)
//   76      4     int32    total duration, seconds
//   80      4     int32    gross strokes
//   84      4     int32    net strokes (rank page)
//   88      4     int32    error strokes
//   92      4     int32    account number (first field of the account's profile)
//   96      4     -        zero

#include "platform/bytes.h"

#include <bit>
#include <cstdint>
#include <string>

namespace kf {

class CRankEntry : public RecordImage<100>
{
public:
    static constexpr size_t kPosition = 0;
    static constexpr size_t kAccountName = 4;
    static constexpr size_t kAccountNameUnits = 32;
    static constexpr size_t kGrossSpeed = 68;
    static constexpr size_t kNetSpeed = 72;
    static constexpr size_t kDuration = 76;
    static constexpr size_t kGrossStrokes = 80;
    static constexpr size_t kNetStrokes = 84;
    static constexpr size_t kErrorStrokes = 88;
    static constexpr size_t kAccountNumber = 92;

    int32_t Position() const { return I32(kPosition); }
    void SetPosition(int32_t v) { SetI32(kPosition, v); }
    std::u16string AccountName() const { return Text(kAccountName, kAccountNameUnits); }
    void SetAccountName(std::u16string_view v) { SetText(kAccountName, kAccountNameUnits, v); }
    float GrossSpeed() const { return std::bit_cast<float>(U32(kGrossSpeed)); }
    void SetGrossSpeed(float v) { SetU32(kGrossSpeed, std::bit_cast<uint32_t>(v)); }
    float NetSpeed() const { return std::bit_cast<float>(U32(kNetSpeed)); }
    void SetNetSpeed(float v) { SetU32(kNetSpeed, std::bit_cast<uint32_t>(v)); }
    int32_t Duration() const { return I32(kDuration); }
    void SetDuration(int32_t v) { SetI32(kDuration, v); }
    int32_t GrossStrokes() const { return I32(kGrossStrokes); }
    void SetGrossStrokes(int32_t v) { SetI32(kGrossStrokes, v); }
    int32_t NetStrokes() const { return I32(kNetStrokes); }
    void SetNetStrokes(int32_t v) { SetI32(kNetStrokes, v); }
    int32_t ErrorStrokes() const { return I32(kErrorStrokes); }
    void SetErrorStrokes(int32_t v) { SetI32(kErrorStrokes, v); }
    int32_t AccountNumber() const { return I32(kAccountNumber); }
    void SetAccountNumber(int32_t v) { SetI32(kAccountNumber, v); }
};

static_assert(CRankEntry::kSize == 100);

} // namespace kf
