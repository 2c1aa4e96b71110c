#include "skin/greyscale.h"

namespace kf {

uint32_t GreyByChannelMean(uint32_t pixel)
{
    const uint32_t mean = ((pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF)) / 3;
    return (pixel & 0xFF000000u) | mean | (mean << 8) | (mean << 16);
}

void GreyByChannelMean(uint32_t* pixels, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        pixels[i] = GreyByChannelMean(pixels[i]);
}

void GreyByChannelMean(CDib& dib)
{
    if (dib.HasColorTable())
        GreyByChannelMean(dib.Palette().data(), dib.Palette().size());
    else
        GreyByChannelMean(dib.Pixels().data(), dib.Pixels().size());
}

} // namespace kf
