#include "session/ui/exerciseclock.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

namespace kf {
namespace {

class ExerciseClockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetTickSourceForTesting([this] { return m_now; });
    }
    void TearDown() override { SetTickSourceForTesting({}); }
    uint32_t m_now = 100000;
};

TEST_F(ExerciseClockTest, TimeBeforeTheFirstKeyDoesNotCount)
{
    ExerciseClock clock;
    clock.SetLimit(180, true);
    clock.Start(true);
    m_now += 5000;
    EXPECT_EQ(clock.ElapsedMs(), 0u);
    EXPECT_EQ(clock.OnTimer(true), ExerciseClock::TickResult::Idle);
    EXPECT_FALSE(clock.HasRun());
    clock.Resume();
    m_now += 1200;
    EXPECT_EQ(clock.ElapsedMs(), 1200u);
    EXPECT_EQ(clock.ShownSeconds(), 179u);
    EXPECT_TRUE(clock.HasRun());
}

TEST_F(ExerciseClockTest, PausesMoveTheStartForward)
{
    ExerciseClock clock;
    clock.Start();
    m_now += 2000;
    clock.Pause();
    m_now += 7000;
    EXPECT_EQ(clock.ElapsedMs(), 2000u);
    clock.Resume();
    m_now += 500;
    EXPECT_EQ(clock.ElapsedMs(), 2500u);
    // Starting a running clock does nothing.
    clock.Start();
    EXPECT_EQ(clock.ElapsedMs(), 2500u);
    clock.Stop();
    EXPECT_FALSE(clock.Running());
    EXPECT_EQ(clock.ElapsedMs(), 0u);
}

TEST_F(ExerciseClockTest, TimeOutReplacesTheTickAtTheLimit)
{
    ExerciseClock clock;
    clock.SetLimit(60, true);
    clock.Start();
    m_now += 59999;
    EXPECT_EQ(clock.OnTimer(true), ExerciseClock::TickResult::Tick);
    m_now += 1;
    EXPECT_EQ(clock.OnTimer(true), ExerciseClock::TickResult::TimeOut);
    // An inactive program reports nothing.
    EXPECT_EQ(clock.OnTimer(false), ExerciseClock::TickResult::Idle);
}

TEST_F(ExerciseClockTest, NoLimitNeverTimesOut)
{
    ExerciseClock clock;
    clock.SetLimit(0, false);
    clock.Start();
    m_now += 3600000;
    EXPECT_EQ(clock.OnTimer(true), ExerciseClock::TickResult::Tick);
    EXPECT_EQ(clock.ShownSeconds(), 3600u);
}

} // namespace
} // namespace kf
