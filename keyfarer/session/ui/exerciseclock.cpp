#include "session/ui/exerciseclock.h"

#include "platform/clock.h"

namespace kf {

void ExerciseClock::SetLimit(uint32_t limitSeconds, bool countDown)
{
    m_limitSeconds = limitSeconds;
    m_countDown = countDown;
}

void ExerciseClock::Start(bool paused)
{
    if (m_running)
        return;
    m_running = true;
    m_elapsedMs = 0;
    m_startTick = TickCount();
    m_paused = paused;
    m_pauseTick = m_startTick;
}

void ExerciseClock::Stop()
{
    m_running = false;
    m_paused = false;
    m_elapsedMs = 0;
}

void ExerciseClock::Pause()
{
    if (!m_running || m_paused)
        return;
    m_pauseTick = TickCount();
    m_elapsedMs = m_pauseTick - m_startTick;
    m_paused = true;
}

void ExerciseClock::Resume()
{
    if (!m_running || !m_paused)
        return;
    const uint32_t now = TickCount();
    m_startTick += now - m_pauseTick;
    m_elapsedMs = now - m_startTick;
    m_paused = false;
}

uint32_t ExerciseClock::ElapsedMs() const
{
    if (!m_running)
        return 0;
    if (m_paused)
        return m_elapsedMs;
    return TickCount() - m_startTick;
}

uint32_t ExerciseClock::ShownSeconds() const
{
    const uint32_t seconds = ElapsedMs() / 1000;
    if (!m_countDown || m_limitSeconds == 0)
        return seconds;
    return seconds >= m_limitSeconds ? 0 : m_limitSeconds - seconds;
}

ExerciseClock::TickResult ExerciseClock::OnTimer(bool programActive)
{
    if (!m_running || m_paused || !programActive)
        return TickResult::Idle;
    m_elapsedMs = TickCount() - m_startTick;
    if (m_limitSeconds != 0 && m_elapsedMs / 1000 >= m_limitSeconds)
        return TickResult::TimeOut;
    return TickResult::Tick;
}

} // namespace kf
