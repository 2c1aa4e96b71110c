#pragma once

// WinkLevel: the brightness of the panel's wink bar, 0 to 100. Each accepted keystroke raises
// it to 100; each 100 ms tick of the panel's timer lowers it by 1 while the program is
// active, and the timer stops at 0. The panel keeps one level for the whole run.

namespace kf {

class WinkLevel
{
public:
    static constexpr int kFull = 100;
    static constexpr int kTickMs = 100;

    int Level() const { return m_level; }
    // Raises the level to 100; the panel (re)starts its 100 ms tick.
    void Flash() { m_level = kFull; }
    // One tick of the timer; an inactive program keeps its level. Returns whether the timer
    // should keep running (false once the level is 0).
    bool Tick(bool programActive);
    // The filled width of a wink bar of the given full width.
    int BarWidth(int fullWidth) const;

private:
    int m_level = 0;
};

} // namespace kf
