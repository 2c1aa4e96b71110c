#pragma once

// Turns a rendered true-colour picture with coverage into an 8-bit palette picture, the form
// every skin bitmap is shipped in (so recolouring can work on the colour table alone).

#include "skin/dib.h"

#include <cstdint>
#include <vector>

namespace kf {

struct RgbaImage
{
    int width = 0;
    int height = 0;
    // Non-premultiplied 0xAARRGGBB per pixel, rows top to bottom.
    std::vector<uint32_t> pixels;
};

struct QuantizeOptions
{
    // Pixels whose alpha is below this become the key colour (transparent) at index 0; the
    // others are blended over `matte` first, so soft edges match the background they will be
    // drawn on.
    int alphaThreshold = 128;
    ColorRef matte = MakeRgb(255, 255, 255);
    // Reserve index 0 for the key colour even when no pixel is transparent.
    bool alwaysKey = false;
    int maxColors = 256;
};

// Median-cut quantisation. Pictures with at most maxColors distinct colours keep them
// exactly. The result's KeyIndex() is 0 when a key colour was reserved.
CDib QuantizeToPalette(const RgbaImage& image, const QuantizeOptions& options);

} // namespace kf
