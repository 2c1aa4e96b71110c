#include "platform/qt/clswaitabletimer.h"
#include "helpers/qtsupport.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(ClsWaitableTimerTest, WaitsTheTimeAndKeepsTheInterfaceAlive)
{
    test::App();
    clsWaitableTimer timer;
    int ticks = 0;
    QTimer other;
    QObject::connect(&other, &QTimer::timeout, [&] { ++ticks; });
    other.start(5);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(timer.Wait(50));
    EXPECT_GE(clock.elapsed(), 50); // never less than asked
    EXPECT_GE(ticks, 2);           // other timers ran meanwhile
    EXPECT_TRUE(timer.Source().isEmpty());
}

TEST(ClsWaitableTimerTest, AbandonEndsThisAndEveryLaterWait)
{
    test::App();
    clsWaitableTimer timer;
    QTimer::singleShot(10, [&] { timer.Abandon(); });
    EXPECT_FALSE(timer.Wait(60000));
    EXPECT_TRUE(timer.Abandoned());
    EXPECT_TRUE(timer.Source().endsWith("[clsWaitableTimer.Wait]"));
    EXPECT_FALSE(timer.Wait(10));
}

} // namespace
} // namespace pw
