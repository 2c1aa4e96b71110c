#include "content/keyrecord.h"

namespace kf {

char16_t KeyRecord::Char(int level) const
{
    if (level < 0 || level >= kLevels)
        return 0;
    return static_cast<char16_t>(U16(kOffBase + 2 * static_cast<size_t>(level)));
}

void KeyRecord::SetChar(int level, char16_t c)
{
    if (level < 0 || level >= kLevels)
        return;
    SetU16(kOffBase + 2 * static_cast<size_t>(level), c);
}

bool KeyRecord::Produces(char16_t c) const
{
    if (c == 0)
        return false;
    for (int level = 0; level < kLevels; ++level) {
        if (Char(level) == c)
            return true;
    }
    return false;
}

void KeyRecord::SetBits(unsigned shift, uint8_t value)
{
    const uint32_t mask = 0xFu << shift;
    SetCode((Code() & ~mask) | ((static_cast<uint32_t>(value) & 0xFu) << shift));
}

} // namespace kf
