#include "skin/colorconvert.h"

namespace kf {

ColorRef CColorConvert::Recolor(ColorRef color, int hueShift, int saturation, int lightness)
{
    Hls hls = RgbToHls(color);
    hls.hue += hueShift;
    if (hls.hue > 360)
        hls.hue -= 360;
    if (hls.hue < 0)
        hls.hue += 360;
    if (saturation > 0 && hls.saturation != 0)
        hls.saturation += (360 - hls.saturation) * saturation / 100;
    else
        hls.saturation += hls.saturation * saturation / 100;
    ColorRef out = HlsToRgb(hls.hue, hls.lightness, hls.saturation);
    if (lightness == 0)
        return out;
    auto move = [&](int x) {
        return lightness > 0 ? x + (255 - x) * lightness / 100 : x + x * lightness / 100;
    };
    return MakeRgb(move(GetRValue(out)), move(GetGValue(out)), move(GetBValue(out)));
}

std::vector<ColorRef> CColorConvert::RecolorTable(const std::vector<ColorRef>& untouched,
                                                  int hueShift, int saturation, int lightness)
{
    std::vector<ColorRef> out;
    out.reserve(untouched.size());
    for (ColorRef c : untouched)
        out.push_back(Recolor(c, hueShift, saturation, lightness));
    return out;
}

} // namespace kf
