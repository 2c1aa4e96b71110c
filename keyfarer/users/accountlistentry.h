#pragma once

// CAccountListEntry: one account in the answer of the supplier's ListAccounts request
// (528 bytes each; little-endian).
//
//   offset  size  type     field
//   0       4     int32    index of the entry in the list, from 0
//   4       4     int32    zero
//   8       520   text 260 account name: the file name without its last 4 characters (".dat")

#include "platform/bytes.h"

#include <cstdint>
#include <string>

namespace kf {

class CAccountListEntry : public RecordImage<528>
{
public:
    static constexpr size_t kIndex = 0;
    static constexpr size_t kAccountName = 8;
    static constexpr size_t kAccountNameUnits = 260;

    int32_t Index() const { return I32(kIndex); }
    void SetIndex(int32_t v) { SetI32(kIndex, v); }
    std::u16string AccountName() const { return Text(kAccountName, kAccountNameUnits); }
    void SetAccountName(std::u16string_view v) { SetText(kAccountName, kAccountNameUnits, v); }
};

static_assert(CAccountListEntry::kSize == 528);

} // namespace kf
