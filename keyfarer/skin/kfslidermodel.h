#pragma once

// The state and geometry of the skinned slider, free of any toolkit: the range and position
// rules, the position under the mouse, and the pieces of the slider strip to draw.
//
// The strip bitmap holds eight cells of equal width side by side: 0 left end of the track,
// 1 middle of the track, 2 right end, 3 thumb; cells 4 to 7 the same for a disabled slider.
// A horizontal band of the middle cell (top offset and height) is stretched along the track.

#include "skin/skinregion.h"

#include <optional>
#include <vector>

namespace kf {

class CKFSliderModel
{
public:
    struct Blit
    {
        SkinRect source; // in the strip bitmap
        SkinRect target; // in the slider window
    };

    // Records the window size and the strip's width (cell = strip width / 8).
    void Attach(int width, int height, int stripWidth);
    void Resize(int width, int height);

    // When maximum < minimum the minimum becomes the maximum; the position is clamped.
    void SetRange(int minimum, int maximum);
    // Clamped into the range; never a notification.
    void SetPos(int position);
    int GetPos() const { return m_position; }
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Cell() const { return m_cell; }
    bool IsDragging() const { return m_dragging; }

    // The position under the mouse at x: the ends within half a cell of either edge give the
    // minimum and maximum, between them the range is spread over width − cell pixels.
    int PositionFromPoint(int x) const;

    // Left-button press at x: starts dragging and moves there. Returns the new position when
    // it changed (the caller then repaints and notifies the parent), otherwise nothing.
    std::optional<int> Press(int x);
    // Mouse move while dragging; same result as Press. Nothing when not dragging.
    std::optional<int> Drag(int x);
    // Button released: dragging ends.
    void Release() { m_dragging = false; }

    // The pieces of the strip to draw for the current state, after the background fill. The
    // strip is centred vertically; `bandTop`/`bandHeight` name the stretched band of the middle
    // cell. Disabled sliders draw from cells 4 to 7.
    std::vector<Blit> Pieces(int stripWidth, int stripHeight, int bandTop, int bandHeight,
                             bool enabled) const;

private:
    std::optional<int> MoveTo(int x);

    bool m_dragging = false;
    int m_width = 0;
    int m_height = 0;
    int m_cell = 0;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};

} // namespace kf
