#include "skin/colorconversion.h"

#include <algorithm>

namespace kf {

CColorConversion::Hls CColorConversion::RgbToHls(ColorRef color)
{
    const int r = GetRValue(color);
    const int g = GetGValue(color);
    const int b = GetBValue(color);
    const int max = std::max({r, g, b});
    const int min = std::min({r, g, b});
    Hls hls;
    hls.lightness = ((max + min) * 360 + 255) / 510;
    if (max == min) {
        hls.saturation = 0;
        hls.hue = 240;
        return hls;
    }
    const int d = max - min;
    if (hls.lightness <= 180)
        hls.saturation = (d * 360 + (max + min) / 2) / (max + min);
    else
        hls.saturation = (d * 360 + (510 - max - min) / 2) / (510 - max - min);

    const int rd = ((max - r) * 60 + d / 2) / d;
    const int gd = ((max - g) * 60 + d / 2) / d;
    const int bd = ((max - b) * 60 + d / 2) / d;
    if (r == max)
        hls.hue = bd - gd;
    else if (g == max)
        hls.hue = 120 + rd - bd;
    else
        hls.hue = 240 + gd - rd;
    if (hls.hue < 0)
        hls.hue += 360;
    if (hls.hue > 360)
        hls.hue -= 360;
    return hls;
}

int CColorConversion::HueToRgb(int m1, int m2, int hue)
{
    if (hue < 0)
        hue += 360;
    if (hue > 360)
        hue -= 360;
    if (hue < 60)
        return m1 + ((m2 - m1) * hue + 30) / 60;
    if (hue < 180)
        return m2;
    if (hue < 240)
        return m1 + ((m2 - m1) * (240 - hue) + 30) / 60;
    return m1;
}

ColorRef CColorConversion::HlsToRgb(int hue, int lightness, int saturation)
{
    if (saturation == 0) {
        const int v = std::min(255, lightness * 255 / 360);
        return MakeRgb(v, v, v);
    }
    const int m2 = lightness <= 180 ? (lightness * (360 + saturation) + 180) / 360
                                    : lightness + saturation - (lightness * saturation + 180) / 360;
    const int m1 = 2 * lightness - m2;
    auto channel = [&](int h) { return std::min(255, (HueToRgb(m1, m2, h) * 255 + 180) / 360); };
    return MakeRgb(channel(hue + 120), channel(hue), channel(hue - 120));
}

} // namespace kf
