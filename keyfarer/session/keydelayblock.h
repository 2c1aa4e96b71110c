#pragma once

// KeyDelayBlock: the 2048-byte list of a finished exercise's slowest characters, stored with
// the result and kept in the user's profile for the review.
//
// Byte order little-endian.
//
//   offset  size  type        field
//   0       512   -           zero
//   512     512   u16[256]    average delay of entry i in milliseconds
//   1024    512   utf16[256]  character of entry i; 0 after the last entry
//   1536    512   -           zero
//
// Entry i of the two arrays belongs together; entries are ordered slowest first.

#include "platform/bytes.h"

#include <cstdint>
#include <vector>

namespace kf {

// One character of the list with its average delay between keystrokes.
struct KeyDelayItem
{
    char16_t ch = 0;
    uint16_t averageMs = 0;
    friend bool operator==(const KeyDelayItem&, const KeyDelayItem&) = default;
};

class KeyDelayBlock : public RecordImage<2048>
{
public:
    static constexpr size_t kDelays = 512;
    static constexpr size_t kCharacters = 1024;
    static constexpr size_t kEntries = 256;

    // The block for a list; entries beyond 256 are dropped.
    static KeyDelayBlock FromItems(const std::vector<KeyDelayItem>& items);
    // The entries up to the first character 0.
    std::vector<KeyDelayItem> Items() const;

    char16_t Character(size_t i) const { return U16(kCharacters + 2 * i); }
    uint16_t AverageDelay(size_t i) const { return U16(kDelays + 2 * i); }
};

static_assert(KeyDelayBlock::kCharacters + 2 * KeyDelayBlock::kEntries + 512 == KeyDelayBlock::kSize);

} // namespace kf
