#pragma once

#include "platform/messagepump.h"

#include <QString>

class QEventLoop;

namespace pw {

/// The message-pumping wait on Qt's event loop: `Wait` returns after the given time and keeps
/// the interface alive meanwhile (timers tick, windows repaint, clicks are handled).
class clsWaitableTimer : public MessagePump
{
public:
    clsWaitableTimer() = default;
    ~clsWaitableTimer() override;
    clsWaitableTimer(const clsWaitableTimer&) = delete;
    clsWaitableTimer& operator=(const clsWaitableTimer&) = delete;

    void DispatchPending() override;

    /// Runs a nested event loop until `MilliSeconds` have passed (never less). Returns false,
    /// with `Source()` saying why, when there is no application object to wait on, when
    /// `Abandon` was called, or when the application is quitting.
    bool Wait(std::int32_t MilliSeconds) override;

    /// Ends the wait in progress and makes every later wait return false at once: the program
    /// is leaving and long calls should give up.
    void Abandon();
    bool Abandoned() const { return m_abandoned; }

    /// What made the last wait fail, ending in "[clsWaitableTimer.Wait]"; empty otherwise.
    const QString& Source() const { return m_source; }

private:
    QEventLoop* m_loop = nullptr;
    bool m_abandoned = false;
    QString m_source;
};

} // namespace pw
