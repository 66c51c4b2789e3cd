// The frame timer over both clocks, driven by the layer's simulated clock (every reading is
// 10 ms after the one before).
#include <gtest/gtest.h>

#include "app/frame_timer.h"
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
        ScriptedClockSetPerformanceCounter(true);
        LayerInstallHost(nullptr);
    }
};

TEST_F(SimulatedClock, PerformanceCounterReadingsAreMillisecondsSinceStart)
{
    ScriptedClockSetPerformanceCounter(true);
    TimerStart();
    EXPECT_TRUE(FrameTimer.usePerfCounter);
    EXPECT_EQ(FrameTimer.frequency, 1000000);
    EXPECT_FLOAT_EQ(FrameTimer.resolution, 1e-6f);
    float first = TimerNowMs();
    float second = TimerNowMs();
    EXPECT_NEAR(first, 10.0f, 1e-3f);
    EXPECT_NEAR(second, 20.0f, 1e-3f);
    // A new start resets the zero point.
    TimerStart();
    EXPECT_NEAR(TimerNowMs(), 10.0f, 1e-3f);
}

TEST_F(SimulatedClock, MillisecondClockStepsInWholeMillisecondsAndSurvivesAWrap)
{
    ScriptedClockSetPerformanceCounter(false);
    ScriptedClockSetMilliseconds(0xFFFFFFFFu - 14u);  // the next reading (+10) is 5 ms before the wrap
    TimerStart();
    EXPECT_FALSE(FrameTimer.usePerfCounter);
    EXPECT_EQ(FrameTimer.frequency, 1000);
    EXPECT_EQ(FrameTimer.resolution, 0.001f);
    EXPECT_EQ(FrameTimer.mmTimerStart, 0xFFFFFFFFu - 4u);
    float elapsed = TimerNowMs();  // the clock has wrapped to 5
    EXPECT_EQ(elapsed, (float)(10.0 * (double)0.001f * 1000.0));
    EXPECT_NEAR(TimerNowMs(), 20.0f, 1e-4f);
}

}  // namespace
