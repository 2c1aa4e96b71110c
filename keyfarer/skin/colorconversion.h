#pragma once

// Integer conversions between red/green/blue (0..255) and hue/lightness/saturation on a
// scale of 360 (hue 0..360, where 0 and 360 are the same red; lightness and saturation
// 0..360). Every division truncates toward zero; the rounding terms are part of the contract
// because stored themes and previews must give exactly the same colours everywhere.

#include "skin/colorword.h"

namespace kf {

class CColorConversion
{
public:
    struct Hls
    {
        int hue = 0;
        int lightness = 0;
        int saturation = 0;
        bool operator==(const Hls&) const = default;
    };

    virtual ~CColorConversion() = default;

    // Hue, lightness, saturation of a colour word. A grey has saturation 0 and hue 240.
    static Hls RgbToHls(ColorRef color);
    // The colour word of an HLS triple; channels above 255 are cut to 255.
    static ColorRef HlsToRgb(int hue, int lightness, int saturation);
    // One channel on the 360 scale for the hue h (wrapped once into 0..360) between m1 and m2.
    static int HueToRgb(int m1, int m2, int hue);
};

} // namespace kf
