#include "session/keydelaytable.h"

#include <algorithm>
#include <numeric>

namespace kf {

KeyDelayTable::KeyDelayTable() : m_index(0x10000, 0) {}

void KeyDelayTable::Clear()
{
    for (const auto& e : m_entries)
        m_index[e.ch] = 0;
    m_entries.clear();
}

void KeyDelayTable::Rebuild(std::u16string_view sample)
{
    Clear();
    for (char16_t ch : sample) {
        if (m_entries.size() >= kCapacity)
            break;
        if (m_index[ch] != 0)
            continue;
        m_entries.push_back({ch, 0, 0});
        m_index[ch] = static_cast<uint16_t>(m_entries.size());
    }
}

bool KeyDelayTable::AddDelay(char16_t ch, uint32_t delayMs)
{
    const int i = Find(ch);
    if (i < 0)
        return false;
    m_entries[static_cast<size_t>(i)].totalMs += delayMs;
    ++m_entries[static_cast<size_t>(i)].count;
    return true;
}

int KeyDelayTable::Find(char16_t ch) const
{
    return static_cast<int>(m_index[ch]) - 1;
}

std::vector<KeyDelayItem> KeyDelayTable::SlowestCharacters(size_t maxItems) const
{
    std::vector<size_t> order(m_entries.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        return m_entries[a].totalMs > m_entries[b].totalMs;
    });
    std::vector<KeyDelayItem> items;
    for (size_t i : order) {
        const KeyDelayEntry& e = m_entries[i];
        if (items.size() >= maxItems || e.totalMs == 0)
            break;
        const uint64_t average = e.count == 0 ? e.totalMs : e.totalMs / e.count;
        items.push_back({e.ch, static_cast<uint16_t>(std::min<uint64_t>(average, 0xFFFF))});
    }
    return items;
}

} // namespace kf
