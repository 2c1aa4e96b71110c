#pragma once

// The recolouring of one colour by a hue shift, a saturation change and a lightness change:
// the same steps serve the look object (RecolorColor) and the skin page's preview.

#include "skin/colorconversion.h"

#include <vector>

namespace kf {

class CColorConvert : public CColorConversion
{
public:
    // Recolours `color`: hue shifted by `hueShift` (wrapped into 0..360), saturation moved
    // toward full (positive `saturation` percent) or toward grey (negative; a grey stays grey
    // for any value), then every channel moved toward white (positive `lightness` percent) or
    // black (negative). The arguments are used as given; callers clamp them.
    static ColorRef Recolor(ColorRef color, int hueShift, int saturation, int lightness);

    // A colour table recoloured from its untouched copy (the skin page's preview keeps the
    // table it loaded and recolours that one every time, so changes never accumulate).
    static std::vector<ColorRef> RecolorTable(const std::vector<ColorRef>& untouched, int hueShift,
                                              int saturation, int lightness);
};

} // namespace kf
