#pragma once

// ExerciseClock: the time of one exercise. It starts paused when a lesson, test or review is
// entered and resumes at the first typed key, so the time before it does not count; pausing
// (a question, a page turn, the program left) moves the start forward by the paused time.
// The clock window asks it once a second whether the limit is reached. Times come from
// TickCount(), which tests replace.

#include <cstdint>

namespace kf {

class ExerciseClock
{
public:
    enum class TickResult {
        Idle,    // not running, or paused, or the program is inactive: nothing to report
        Tick,    // a running second: redraw and refresh the statistics
        TimeOut, // the limit is reached (reported instead of the tick)
    };

    // limitSeconds 0: no limit. countDown: the display shows the time left.
    void SetLimit(uint32_t limitSeconds, bool countDown);
    uint32_t LimitSeconds() const { return m_limitSeconds; }
    bool CountsDown() const { return m_countDown; }

    // Starts counting now; a running clock is left as it is. paused: starts in the paused
    // state (the time runs from the first Resume).
    void Start(bool paused = false);
    // Clears the running and paused flags and the elapsed time.
    void Stop();
    void Pause();
    void Resume();

    bool Running() const { return m_running; }
    bool Paused() const { return m_paused; }
    // True once the clock has counted any time (it was resumed or started unpaused).
    bool HasRun() const { return m_running && (m_elapsedMs > 0 || !m_paused); }
    // Milliseconds counted: up to now while running, up to the pause while paused.
    uint32_t ElapsedMs() const;
    // The seconds shown: elapsed, or left when counting down (never below 0).
    uint32_t ShownSeconds() const;

    // One timer tick of the clock window.
    TickResult OnTimer(bool programActive);

private:
    bool m_running = false;
    bool m_paused = false;
    uint32_t m_startTick = 0;
    uint32_t m_pauseTick = 0;
    uint32_t m_elapsedMs = 0;
    uint32_t m_limitSeconds = 0;
    bool m_countDown = false;
};

} // namespace kf
