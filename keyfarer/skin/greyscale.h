#pragma once

// The desk's modal dimming: a picture shown in grey, each pixel's three colour channels
// replaced by their mean. Works on colour words (0x00BBGGRR) and on 0xAARRGGBB pixels alike,
// since only the low three bytes are averaged and the top byte is kept.

#include "skin/dib.h"

#include <cstddef>
#include <cstdint>

namespace kf {

uint32_t GreyByChannelMean(uint32_t pixel);
void GreyByChannelMean(uint32_t* pixels, size_t count);
// A palette picture greys its colour table (the same result for every pixel); a true-colour
// picture greys every pixel.
void GreyByChannelMean(CDib& dib);

} // namespace kf
