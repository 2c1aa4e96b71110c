#include "session/keydelayblock.h"

namespace kf {

KeyDelayBlock KeyDelayBlock::FromItems(const std::vector<KeyDelayItem>& items)
{
    KeyDelayBlock block;
    for (size_t i = 0; i < items.size() && i < kEntries; ++i) {
        block.SetU16(kDelays + 2 * i, items[i].averageMs);
        block.SetU16(kCharacters + 2 * i, items[i].ch);
    }
    return block;
}

std::vector<KeyDelayItem> KeyDelayBlock::Items() const
{
    std::vector<KeyDelayItem> items;
    for (size_t i = 0; i < kEntries && Character(i) != 0; ++i)
        items.push_back({Character(i), AverageDelay(i)});
    return items;
}

} // namespace kf
