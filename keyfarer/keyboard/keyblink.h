#pragma once

// CKeyBlink: the rhythm of the next-key marks on the on-screen keyboard. A 200 ms timer ticks
// it; the marks toggle every d ticks, where the divider d starts at 5 and drops by 1 after
// every 6 toggles until it reaches 0, from when on every tick toggles. So a mark blinks once a
// second at first and faster the longer the user hesitates. Showing the marks when new
// characters are marked counts as the first toggle.

namespace kf {

class CKeyBlink
{
public:
    static constexpr int kTickMilliseconds = 200;
    static constexpr int kStartDivider = 5;
    static constexpr int kTogglesPerDivider = 6;

    // New characters were marked: the marks show and the rhythm starts again.
    void Restart()
    {
        m_divider = kStartDivider;
        m_ticks = 0;
        m_toggles = 1;
    }
    // One timer tick; true when the marks toggle on it.
    bool Tick()
    {
        ++m_ticks;
        if (m_divider > 0 && m_ticks < m_divider)
            return false;
        m_ticks = 0;
        if (++m_toggles >= kTogglesPerDivider && m_divider > 0) {
            --m_divider;
            m_toggles = 0;
        }
        return true;
    }
    int Divider() const { return m_divider; }

private:
    int m_divider = kStartDivider;
    int m_ticks = 0;
    int m_toggles = 1;
};

} // namespace kf
