#pragma once

// CTimerWnd: the exercise clock on the desk. While an exercise runs it shows the time counted
// (or, counting down, the time left) as hours, minutes and seconds; otherwise the local time
// of day. Its window timer fires once a second; each tick of a running clock is reported as
// tick(), and reaching the limit as timeOut() instead.

#include "session/ui/exerciseclock.h"

#include <QTimer>
#include <QWidget>

namespace kf {

class CTypingAspect;

class CTimerWnd : public QWidget
{
    Q_OBJECT
public:
    enum class Style { Digital, Analogue };

    explicit CTimerWnd(const CTypingAspect* look, QWidget* parent = nullptr);

    ExerciseClock& Clock() { return m_clock; }
    const ExerciseClock& Clock() const { return m_clock; }

    void SetStyle(Style style);
    Style GetStyle() const { return m_style; }

    // Stops the clock, sets its limit and starts it paused, counting down (lesson, test and
    // review modes); the first typed key resumes it.
    void StartPausedCountdown(uint32_t limitSeconds);
    // Starts the clock running at once (games); counting down only with a limit.
    void StartRunning(uint32_t limitSeconds);
    void Stop();
    void Pause() { m_clock.Pause(); }
    void Resume() { m_clock.Resume(); }

    // While the program is inactive the clock neither counts nor reports ticks.
    void SetProgramActive(bool active) { m_active = active; }

    // One tick at once (starting the clock runs one); the timer calls it every second.
    void TickNow();

    // The text the digital clock shows now ("00:02:31").
    QString DisplayText() const;

signals:
    void tick();
    void timeOut(uint32_t elapsedMs, uint32_t limitSeconds);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Hours, minutes and seconds of the time shown.
    void ShownTime(int& h, int& m, int& s) const;

    const CTypingAspect* m_look;
    ExerciseClock m_clock;
    QTimer m_timer;
    Style m_style = Style::Digital;
    bool m_active = true;
};

} // namespace kf
