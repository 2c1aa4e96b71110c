#pragma once

// KeyDelayTable: the time the user took for each character of the sample. Every distinct
// character of the sample has one entry, in order of first appearance (at most 5000); each
// keystroke adds the time since the previous keystroke to the entry of the character that
// was expected. At the end of an exercise the entries give the list of the slowest
// characters (KeyDelayBlock).

#include "session/keydelayblock.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kf {

struct KeyDelayEntry
{
    char16_t ch = 0;
    uint64_t totalMs = 0; // accumulated delay
    uint32_t count = 0;   // delays added
};

class KeyDelayTable
{
public:
    static constexpr size_t kCapacity = 5000;
    // Characters in the list of the slowest characters.
    static constexpr size_t kListSize = KeyDelayBlock::kEntries;

    KeyDelayTable();

    // Empties the table (free typing has no table).
    void Clear();
    // Lists the distinct characters of the sample, in order of first appearance, with no
    // delay yet; characters after the 5000th distinct one are left out.
    void Rebuild(std::u16string_view sample);

    // Adds one delay to the character's entry; false when it has none.
    bool AddDelay(char16_t ch, uint32_t delayMs);

    // The entry index of a character, or -1.
    int Find(char16_t ch) const;
    const std::vector<KeyDelayEntry>& Entries() const { return m_entries; }

    // The slowest characters, at most maxItems: repeatedly the entry with the largest
    // accumulated delay (ties: the first in table order), each with its average delay
    // (accumulated / count in whole milliseconds, the accumulated delay when the count is 0,
    // at most 65535); the list ends before the first entry without any delay.
    std::vector<KeyDelayItem> SlowestCharacters(size_t maxItems = kListSize) const;

private:
    std::vector<KeyDelayEntry> m_entries;
    // Entry index + 1 for every 16-bit character, 0 = no entry.
    std::vector<uint16_t> m_index;
};

} // namespace kf
