// The frame timer over both clocks, driven by the layer's simulated clock (every reading is
// 10 ms after the one before).
#include <gtest/gtest.h>

#include <chrono>

#include "app/frame_timer.h"
#include "platform/desktop/desktop_host.h"
#include "platform/host.h"
#include "platform/scripted/scripted_host.h"

namespace {

struct SimulatedClock : ::testing::Test {
    void SetUp() override
    {
        ScriptedHostSetup hooks;
        InstallScriptedHost(hooks);
    }
    void TearDown() override
    {
        ScriptedClockReset();
        LayerInstallHost(nullptr);
    }
};

// Each reading is the milliseconds since TimerStart, on either clock; the millisecond clock's
// 32-bit count may wrap in between.
TEST_F(SimulatedClock, ReadingsAreMillisecondsSinceStartOnEitherClock)
{
    ScriptedClockSetPerformanceCounter(true);
    TimerStart();
    EXPECT_NEAR(TimerNowMs(), 10.0f, 1e-3f);
    EXPECT_NEAR(TimerNowMs(), 20.0f, 1e-3f);
    // A new start resets the zero point.
    TimerStart();
    EXPECT_NEAR(TimerNowMs(), 10.0f, 1e-3f);

    ScriptedClockSetPerformanceCounter(false);
    ScriptedClockSetMilliseconds(0xFFFFFFFFu - 14u);  // the next reading (+10) is 5 ms before the wrap
    TimerStart();
    EXPECT_NEAR(TimerNowMs(), 10.0f, 1e-4f);  // the clock has wrapped to 5
    EXPECT_NEAR(TimerNowMs(), 20.0f, 1e-4f);
}

// The waitable timer the wait sleeps on: due times from now, a wait that sleeps them out on the
// host's fine sleep, and what it cannot do refused instead of hanging or done half.
TEST_F(SimulatedClock, AWaitableTimerSleepsItsDueTimeAndRefusesWhatItCannotWait)
{
    ScriptedClockSetPace(10000, 7);
    HANDLE timer = CreateWaitableTimerExW(NULL, NULL, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(WaitForSingleObject(timer, INFINITE), WAIT_FAILED) << "never set: it would never come due";
    LARGE_INTEGER due;
    due.QuadPart = -25001;  // 2.5001 ms: a whole microsecond more of the simulated counter
    int64_t before = ScriptedClockNow();
    ASSERT_TRUE(SetWaitableTimer(timer, &due, 0, NULL, NULL, FALSE));
    EXPECT_EQ(WaitForSingleObject(timer, 1), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(timer, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ScriptedClockNow() - before, 1000 + 7 + 1501 + 7) << "the rest after the timeout";
    EXPECT_EQ(WaitForSingleObject(timer, INFINITE), WAIT_FAILED) << "came due once";
    due.QuadPart = 132000000000000000;  // a date
    EXPECT_FALSE(SetWaitableTimer(timer, &due, 0, NULL, NULL, FALSE));
    due.QuadPart = -10000;
    EXPECT_FALSE(SetWaitableTimer(timer, &due, 10, NULL, NULL, FALSE)) << "a period";
    EXPECT_TRUE(CloseHandle(timer));
    EXPECT_FALSE(SetWaitableTimer(timer, &due, 0, NULL, NULL, FALSE)) << "closed";
    EXPECT_EQ(WaitForSingleObject(NULL, INFINITE), WAIT_FAILED);

    // A machine that cannot sleep finer than a millisecond has plain timers only.
    ScriptedClockSetFineSleep(false);
    EXPECT_EQ(CreateWaitableTimerExW(NULL, NULL, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS), nullptr);
    timer = CreateWaitableTimerExW(NULL, NULL, 0, TIMER_ALL_ACCESS);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(CloseHandle(timer));
}

// On a player's machine the fine sleep never ends before its time.
TEST(DesktopClock, AFineSleepLastsAtLeastItsTime)
{
    const LayerHost& desktop = DesktopHost();
    ASSERT_TRUE(desktop.fineSleepAvailable());
    for (int64_t hundredNs : {1, 2500, 25000}) {
        auto began = std::chrono::steady_clock::now();
        desktop.sleepFine(hundredNs);
        EXPECT_GE(std::chrono::steady_clock::now() - began, std::chrono::nanoseconds(hundredNs * 100));
    }
}

}  // namespace
