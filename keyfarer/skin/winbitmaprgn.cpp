#include "skin/winbitmaprgn.h"

namespace kf {
namespace {

// Adds one rectangle per maximal run of key-coloured pixels in the piece.
void CollectRuns(const CDib& bitmap, ColorRef key, int x0, int y0, int w, int h,
                 std::vector<SkinRect>& out)
{
    for (int y = 0; y < h; ++y) {
        int x = 0;
        while (x < w) {
            if (bitmap.PixelAt(x0 + x, y0 + y) != key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < w && bitmap.PixelAt(x0 + x, y0 + y) == key)
                ++x;
            out.push_back({start, y, x, y + 1});
        }
    }
}

} // namespace

bool CWinBitmapRgn::Build(const CFrameDesc& frame, const CDib& bitmap)
{
    Clear();
    const int bw = bitmap.Width(), bh = bitmap.Height();
    if (bitmap.IsNull() || frame.topHeight < 0 || frame.bottomHeight < 0 ||
        frame.topLeftWidth < 0 || frame.topRightWidth < 0 || frame.bottomLeftWidth < 0 ||
        frame.bottomRightWidth < 0 || frame.topHeight > bh || frame.bottomHeight > bh ||
        frame.topLeftWidth + frame.topRightWidth > bw ||
        frame.bottomLeftWidth + frame.bottomRightWidth > bw)
        return false;

    m_topHeight = frame.topHeight;
    m_topLeftWidth = frame.topLeftWidth;
    m_topRightWidth = frame.topRightWidth;
    m_bottomLeftWidth = frame.bottomLeftWidth;
    m_bottomRightWidth = frame.bottomRightWidth;
    m_captionHeight = frame.captionHeight;
    m_borderWidth = frame.borderWidth;
    m_bottomHeight = frame.bottomHeight;

    const ColorRef key = bitmap.PixelAt(0, 0);
    CollectRuns(bitmap, key, 0, 0, m_topLeftWidth, m_topHeight, m_corners[0]);
    CollectRuns(bitmap, key, bw - m_topRightWidth, 0, m_topRightWidth, m_topHeight, m_corners[1]);
    CollectRuns(bitmap, key, 0, bh - m_bottomHeight, m_bottomLeftWidth, m_bottomHeight,
                m_corners[2]);
    CollectRuns(bitmap, key, bw - m_bottomRightWidth, bh - m_bottomHeight, m_bottomRightWidth,
                m_bottomHeight, m_corners[3]);

    // The band: key pixels from the top down in the column right of the top-left piece, up to
    // the first pixel of another colour; none when no such pixel occurs within the top height.
    m_topBand = 0;
    if (m_topLeftWidth < bw) {
        int depth = 0;
        while (depth < m_topHeight && bitmap.PixelAt(m_topLeftWidth, depth) == key)
            ++depth;
        m_topBand = depth < m_topHeight ? depth : 0;
    }
    m_built = true;
    return true;
}

std::optional<CSkinRegion> CWinBitmapRgn::WindowRegion(int w, int h) const
{
    if (!m_built || w <= 0 || h <= 0)
        return std::nullopt;
    CSkinRegion region({0, 0, w, h});
    const int offsets[4][2] = {{0, 0},
                               {w - m_topRightWidth, 0},
                               {0, h - m_bottomHeight},
                               {w - m_bottomRightWidth, h - m_bottomHeight}};
    for (int i = 0; i < 4; ++i)
        for (const SkinRect& run : m_corners[i])
            region.Cut(run.Translated(offsets[i][0], offsets[i][1]));
    if (m_topBand != 0 && w - m_topRightWidth != m_topLeftWidth)
        region.Cut({m_topLeftWidth, 0, w - m_topRightWidth, m_topBand});
    return region;
}

void CWinBitmapRgn::Clear()
{
    m_topHeight = m_topLeftWidth = m_topRightWidth = m_bottomLeftWidth = m_bottomRightWidth = 0;
    m_captionHeight = m_borderWidth = m_bottomHeight = 0;
    for (auto& corner : m_corners)
        corner.clear();
    m_topBand = 0;
    m_built = false;
}

} // namespace kf
