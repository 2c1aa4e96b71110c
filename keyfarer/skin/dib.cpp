#include "skin/dib.h"

namespace kf {

CDib::CDib(int width, int height, std::vector<ColorRef> palette)
    : m_width(width), m_height(height), m_palette(std::move(palette))
{
    if (m_width > 0 && m_height > 0)
        m_indices.assign(size_t(m_width) * size_t(m_height), 0);
}

CDib CDib::TrueColor(int width, int height)
{
    CDib dib;
    dib.m_width = width;
    dib.m_height = height;
    if (width > 0 && height > 0)
        dib.m_pixels.assign(size_t(width) * size_t(height), 0);
    return dib;
}

ColorRef CDib::PixelAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    const size_t at = size_t(y) * size_t(m_width) + size_t(x);
    if (HasColorTable()) {
        const uint8_t index = m_indices[at];
        return index < m_palette.size() ? m_palette[index] : 0;
    }
    return m_pixels[at];
}

} // namespace kf
