#pragma once

// CTypingInfoWnd: the information panel beside the text. It draws the six figures of the
// statistics block the desk hands it (gross, net and current speed with their bars,
// accuracy, keystrokes and errors) and the wink bar, which flashes full at each accepted
// keystroke and fades over ten seconds.
//
// Its timers (at most four; the wink fade is one) are checked by a worker thread of the
// panel every 10 ms; the thread only posts an InfoTimerEvent to the window it was given (the
// desk), which hands it back to OnTimer on the interface thread. The thread ends when no
// timer is left. All figures are touched on the interface thread only.

#include "session/statisticsblock.h"
#include "session/winklevel.h"
#include "skin/textlookup.h"

#include <QEvent>
#include <QMutex>
#include <QThread>
#include <QWidget>

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

namespace kf {

class CTypingAspect;
class CTypingInfoWnd;

// What the panel's timer thread posts: one elapsed timer of one panel.
class InfoTimerEvent : public QEvent
{
public:
    static QEvent::Type EventType();
    InfoTimerEvent(CTypingInfoWnd* panel, int timerId)
        : QEvent(EventType()), m_panel(panel), m_timerId(timerId)
    {}
    CTypingInfoWnd* Panel() const { return m_panel; }
    int TimerId() const { return m_timerId; }

private:
    CTypingInfoWnd* m_panel;
    int m_timerId;
};

class CTypingInfoWnd : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMaxTimers = 4;
    static constexpr int kCheckMs = 10;
    static constexpr int kWinkTimer = 1;

    // notify: the window the timer thread posts to (the desk); null posts to the panel itself.
    CTypingInfoWnd(const CTypingAspect* look, TextLookup texts, QObject* notify = nullptr,
                   QWidget* parent = nullptr);
    ~CTypingInfoWnd() override;

    // Stores the block and redraws the figures. errorFactor is the user's "Error_Factor".
    void SetStatistics(const StatisticsBlock& block, int errorFactor);
    // No exercise: the panel shows no figures.
    void ClearStatistics();
    const std::optional<StatisticsBlock>& Statistics() const { return m_block; }

    // Wink level := 100, starts the 100 ms fade, redraws.
    void FlashWink();
    int WinkLevel() const { return m_wink.Level(); }
    // While the program is inactive the fade stands still.
    void SetProgramActive(bool active) { m_active = active; }

    // The texts shown for each figure (as drawn), for the desk's tests and tips.
    QString GrossText() const;
    QString NetText() const;
    QString WinkText() const;
    QString AccuracyText() const;
    QString TotalHitsText() const;
    QString ErrorsText() const;

    // Timers checked by the worker thread (id 1 to kMaxTimers). Setting an existing id
    // changes its period; false when all four are in use.
    bool SetPanelTimer(int id, int periodMs);
    void KillPanelTimer(int id);
    bool HasPanelTimer(int id) const;
    // The posted event arrived on the interface thread.
    void OnTimer(int id);
    // True while the worker thread runs.
    bool TimerThreadRunning() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    class TimerThread;
    struct PanelTimer
    {
        int id = 0; // 0 = free
        int periodMs = 0;
        uint32_t lastTick = 0;
        bool posted = false; // an event is on its way; the next is not posted before it arrives
    };

    QString SpeedText(int64_t value) const;
    void UpdateWinkBar();
    QString Pattern(std::u16string_view key) const;
    // Rectangles of the look in panel coordinates.
    QRect Local(int left, int top, int right, int bottom) const;
    void DrawBar(QPainter& p, const QRect& r, int row, double fill) const;
    // Called by the worker thread: posts the events of the timers that are due; false when
    // no timer is left (the thread ends).
    bool CheckTimers();

    const CTypingAspect* m_look;
    TextLookup m_texts;
    QObject* m_notify;
    std::optional<StatisticsBlock> m_block;
    int m_errorFactor = 5;
    kf::WinkLevel m_wink;
    bool m_active = true;

    mutable QMutex m_timerLock;
    std::array<PanelTimer, kMaxTimers> m_timers{};
    TimerThread* m_thread = nullptr;
    bool m_threadAlive = false; // guarded by m_timerLock
};

} // namespace kf
