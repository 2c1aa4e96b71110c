#pragma once

// A device-independent bitmap in memory: either a palette picture (one index byte per pixel
// and a colour table of at most 256 colour words) or a true-colour picture (one colour word
// per pixel). Rows run from top to bottom.

#include "skin/colorword.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kf {

class CDib
{
public:
    CDib() = default;
    // A palette picture of the given size, every pixel index 0, with the given colour table.
    CDib(int width, int height, std::vector<ColorRef> palette);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsNull() const { return m_width <= 0 || m_height <= 0; }
    // True for a palette picture (it has a colour table).
    bool HasColorTable() const { return !m_palette.empty(); }

    const std::vector<ColorRef>& Palette() const { return m_palette; }
    std::vector<ColorRef>& Palette() { return m_palette; }
    // Palette pictures: index per pixel, width × height bytes.
    const std::vector<uint8_t>& Indices() const { return m_indices; }
    std::vector<uint8_t>& Indices() { return m_indices; }
    // True-colour pictures: colour word per pixel, width × height words.
    const std::vector<ColorRef>& Pixels() const { return m_pixels; }
    std::vector<ColorRef>& Pixels() { return m_pixels; }

    // The colour word at (x, y), whatever the kind; 0 outside the picture.
    ColorRef PixelAt(int x, int y) const;

    // Palette index that stands for transparent pixels, or -1. Skin pictures mark their
    // transparent parts with the key colour at index 0 of the table as drawn; the index stays
    // the key when recolouring changes the colour.
    int KeyIndex() const { return m_keyIndex; }
    void SetKeyIndex(int index) { m_keyIndex = index; }

    // Makes a true-colour picture of the given size (all pixels 0).
    static CDib TrueColor(int width, int height);

private:
    int m_width = 0;
    int m_height = 0;
    int m_keyIndex = -1;
    std::vector<ColorRef> m_palette;
    std::vector<uint8_t> m_indices;
    std::vector<ColorRef> m_pixels;
};

} // namespace kf
