#include "skin/kfslidermodel.h"

#include <algorithm>
#include <cstdint>

namespace kf {

void CKFSliderModel::Attach(int width, int height, int stripWidth)
{
    Resize(width, height);
    m_cell = std::max(0, stripWidth / 8);
}

void CKFSliderModel::Resize(int width, int height)
{
    m_width = std::max(0, width);
    m_height = std::max(0, height);
}

void CKFSliderModel::SetRange(int minimum, int maximum)
{
    if (maximum < minimum)
        minimum = maximum;
    m_minimum = minimum;
    m_maximum = maximum;
    m_position = std::clamp(m_position, m_minimum, m_maximum);
}

void CKFSliderModel::SetPos(int position)
{
    m_position = std::clamp(position, m_minimum, m_maximum);
}

int CKFSliderModel::PositionFromPoint(int x) const
{
    const int t = m_cell;
    if (x < t / 2)
        return m_minimum;
    if (x > m_width - t / 2)
        return m_maximum;
    const int64_t span = int64_t(m_width) - t;
    if (span <= 0) // a window no wider than one cell has no track to spread the range over
        return x < m_width / 2 ? m_minimum : m_maximum;
    const int64_t value =
        (int64_t(m_maximum) - m_minimum) * (int64_t(x) - t / 2) / span + m_minimum;
    return int(std::clamp<int64_t>(value, m_minimum, m_maximum));
}

std::optional<int> CKFSliderModel::MoveTo(int x)
{
    const int position = PositionFromPoint(x);
    if (position == m_position)
        return std::nullopt;
    m_position = position;
    return position;
}

std::optional<int> CKFSliderModel::Press(int x)
{
    m_dragging = true;
    return MoveTo(x);
}

std::optional<int> CKFSliderModel::Drag(int x)
{
    if (!m_dragging)
        return std::nullopt;
    return MoveTo(x);
}

std::vector<CKFSliderModel::Blit> CKFSliderModel::Pieces(int stripWidth, int stripHeight,
                                                         int bandTop, int bandHeight,
                                                         bool enabled) const
{
    std::vector<Blit> out;
    const int t0 = stripWidth / 8;
    if (t0 <= 0 || stripHeight <= 0 || m_width <= 0)
        return out;
    const int track = m_width - t0;
    if (track <= 0)
        return out;
    const int t = std::min(t0, track);
    const int y = (m_height - stripHeight) / 2;
    // Source cells are addressed by the strip's own cell width, so a short track still reads
    // the disabled pictures from cells 4 to 7.
    const int sx = enabled ? 0 : 4 * t0;
    auto cell = [&](int index) { return sx + index * t0; };

    if (2 * t < track) {
        out.push_back(
            {{cell(0), 0, cell(0) + t, stripHeight}, {t / 2, y, t / 2 + t, y + stripHeight}});
        const int from = t / 2 + t;
        const int to = t / 2 + track - t;
        if (to > from && bandHeight > 0)
            out.push_back({{cell(1), bandTop, cell(1) + t0, bandTop + bandHeight},
                           {from, y + bandTop, to, y + bandTop + bandHeight}});
        out.push_back(
            {{cell(2) + t0 - t, 0, cell(2) + t0, stripHeight}, {to, y, to + t, y + stripHeight}});
    } else {
        const int half = track / 2;
        out.push_back(
            {{cell(0), 0, cell(0) + half, stripHeight}, {t / 2, y, t / 2 + half, y + stripHeight}});
        out.push_back({{cell(3) - half, 0, cell(3), stripHeight},
                       {t / 2 + half, y, t / 2 + 2 * half, y + stripHeight}});
    }

    const int64_t range = int64_t(m_maximum) - m_minimum;
    const int thumbX = range == 0 ? track : int((int64_t(m_position) - m_minimum) * track / range);
    out.push_back(
        {{cell(3), 0, cell(3) + t0, stripHeight}, {thumbX, y, thumbX + t0, y + stripHeight}});
    return out;
}

} // namespace kf
