#include "platform/qt/clswaitabletimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace pw {

namespace {
// The exit code of a nested loop ended by its own timer; anything else ended it from outside.
constexpr int kTimerSignalled = 1;
} // namespace

clsWaitableTimer::~clsWaitableTimer()
{
    if (m_loop)
        m_loop->exit(0);
}

void clsWaitableTimer::DispatchPending()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool clsWaitableTimer::Wait(std::int32_t MilliSeconds)
{
    m_source.clear();
    if (m_abandoned) {
        m_source = QStringLiteral("the program is leaving [clsWaitableTimer.Wait]");
        return false;
    }
    if (!QCoreApplication::instance()) {
        m_source = QStringLiteral("no application object [clsWaitableTimer.Wait]");
        return false;
    }
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&loop] { loop.exit(kTimerSignalled); });
    m_loop = &loop;
    for (;;) {
        const qint64 left = qint64(MilliSeconds) - clock.elapsed();
        if (left <= 0)
            break;
        timer.start(int(left));
        if (loop.exec() != kTimerSignalled) {
            // Quitting the application ends every running loop and refuses new ones; waiting
            // on would spin, so the wait is given up for good.
            m_abandoned = true;
            break;
        }
    }
    m_loop = nullptr;
    if (m_abandoned) {
        m_source = QStringLiteral("the program is leaving [clsWaitableTimer.Wait]");
        return false;
    }
    return true;
}

void clsWaitableTimer::Abandon()
{
    m_abandoned = true;
    if (m_loop)
        m_loop->exit(0);
}

} // namespace pw
