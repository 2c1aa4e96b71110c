#pragma once

// A window shape without a windowing system: a base rectangle minus a list of cut
// rectangles. The toolkit turns it into the platform's region (QRegion) in one place.

#include <vector>

namespace kf {

struct SkinRect
{
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0; // exclusive
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    SkinRect Translated(int dx, int dy) const
    {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    bool operator==(const SkinRect&) const = default;
};

class CSkinRegion
{
public:
    CSkinRegion() = default;
    explicit CSkinRegion(SkinRect base) : m_base(base) {}

    void Cut(const SkinRect& rect)
    {
        if (!rect.IsEmpty())
            m_cuts.push_back(rect);
    }
    const SkinRect& Base() const { return m_base; }
    const std::vector<SkinRect>& Cuts() const { return m_cuts; }
    // True when the point lies in the base and in no cut.
    bool Contains(int x, int y) const;

private:
    SkinRect m_base;
    std::vector<SkinRect> m_cuts;
};

} // namespace kf
