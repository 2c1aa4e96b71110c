#pragma once

// Builds the shape of a skinned window from its frame bitmap: the pixels of the key colour
// (the bitmap's top-left pixel) inside the four corner pieces are cut out of the window,
// together with an optional transparent band along the top edge between the corners.

#include "skin/dib.h"
#include "skin/framedesc.h"
#include "skin/skinregion.h"

#include <optional>
#include <vector>

namespace kf {

class CWinBitmapRgn
{
public:
    // Builds the four corner regions from the bitmap and the measures of `frame`. False (and
    // everything cleared) when the bitmap is empty or smaller than the measures: top or bottom
    // height above the bitmap's height, or two corners of one edge wider than it.
    bool Build(const CFrameDesc& frame, const CDib& bitmap);
    // The shape of a window of w × h pixels; none when not built or w or h is 0. The corner
    // regions stay as they are, so it may be asked for again at any size.
    std::optional<CSkinRegion> WindowRegion(int w, int h) const;
    // Frees the regions and zeroes the measures.
    void Clear();

    bool IsBuilt() const { return m_built; }
    int TopBandDepth() const { return m_topBand; }
    // Transparent runs of one corner, in the piece's own coordinates (0 top-left, 1 top-right,
    // 2 bottom-left, 3 bottom-right).
    const std::vector<SkinRect>& Corner(int index) const { return m_corners[index]; }

private:
    int m_topHeight = 0;
    int m_topLeftWidth = 0;
    int m_topRightWidth = 0;
    int m_bottomLeftWidth = 0;
    int m_bottomRightWidth = 0;
    int m_captionHeight = 0;
    int m_borderWidth = 0;
    int m_bottomHeight = 0;
    std::vector<SkinRect> m_corners[4];
    int m_topBand = 0;
    bool m_built = false;
};

} // namespace kf
