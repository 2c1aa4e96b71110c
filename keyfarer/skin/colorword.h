#pragma once

// Colour words as the whole program stores them: 0x00BBGGRR, red in the low byte. Palette
// entries of bitmaps are stored blue, green, red, reserved and become colour words by moving
// the bytes (ColorFromQuad / the bytes of QuadFromColor).

#include <cstdint>

namespace kf {

using ColorRef = uint32_t;

constexpr ColorRef MakeRgb(int r, int g, int b)
{
    return ColorRef(uint8_t(r)) | (ColorRef(uint8_t(g)) << 8) | (ColorRef(uint8_t(b)) << 16);
}
constexpr int GetRValue(ColorRef c)
{
    return int(c & 0xFF);
}
constexpr int GetGValue(ColorRef c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int GetBValue(ColorRef c)
{
    return int((c >> 16) & 0xFF);
}

// A palette entry (blue, green, red, reserved bytes) as a colour word.
constexpr ColorRef ColorFromQuad(uint8_t blue, uint8_t green, uint8_t red)
{
    return MakeRgb(red, green, blue);
}

// The colour key of skin pictures: pixels of this colour (palette index 0 of a keyed picture)
// are transparent.
constexpr ColorRef kSkinKeyColor = MakeRgb(255, 0, 255);

} // namespace kf
