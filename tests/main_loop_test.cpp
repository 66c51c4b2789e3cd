// The main loop: the Escape latch, F1, closing, minimising, the frame pacing and the exit code.
#include <gtest/gtest.h>

#include <vector>

#include "app/game_main.h"
#include "app/game_window.h"
#include "game/game_input.h"
#include "game/game_state.h"
#include "platform/scripted/scripted_host.h"
#include "tools/replay/process_state.h"
#include "tests/scenario.h"

namespace {


nlohmann::json Sounds(const ScenarioResult& run, int frame)
{
    return run.frame(frame)["sounds"];
}

TEST(EscapeLatch, AtTheTitlePanelAFreshPressQuitsWithTheMenuSound)
{
    ScenarioResult run = RunScenario("answer yes\nframes 2\nframes 3 ESC\n");
    EXPECT_EQ(run.frameCount(), 3);
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_EQ(Sounds(run, 2), nlohmann::json::array());
    EXPECT_EQ(Sounds(run, 3), nlohmann::json::array({menuCue}));
    EXPECT_EQ(run.frame(3)["escapeHeld"], 1);
}

TEST(EscapeLatch, DuringAGameOnePressSuspendsOnceAndASecondPressQuits)
{
    ScenarioResult run =
        RunScenario("answer yes\nframes 1 ENTER\nframes 1\nframes 3 ESC\nframes 2\nframes 1 ESC\nframes 5\n");
    EXPECT_EQ(run.frame(2)["gameRunning"], 1);
    // Frame 3: the fresh press suspends the game.
    EXPECT_EQ(run.frame(3)["gameRunning"], 0);
    EXPECT_EQ(run.frame(3)["escapeHeld"], 1);
    EXPECT_EQ(Sounds(run, 3), nlohmann::json::array({menuCue}));
    // Held on: nothing more happens.
    for (int frame : {4, 5}) {
        EXPECT_EQ(run.frame(frame)["escapeHeld"], 1);
        EXPECT_EQ(Sounds(run, frame), nlohmann::json::array());
    }
    // Released: the latch clears at the end of the frame.
    EXPECT_EQ(run.frame(6)["escapeHeld"], 0);
    // Pressed again with no game running: the program ends in that frame.
    EXPECT_EQ(Sounds(run, 8), nlohmann::json::array({menuCue}));
    EXPECT_EQ(run.frameCount(), 8);
    EXPECT_EQ(run.exitCode(), 0);
}

TEST(EscapeLatch, OnlyAFreshPressSkipsThePacing)
{
    // With the simulated clock a paced frame reads it three times before the swap (the start,
    // the first reading, one wait); a frame that handles a fresh Escape press reads it twice.
    static const bool escapeDown[] = {false, false, true, true, false, true};
    static long atFrameStart;
    static std::vector<long> readsBeforeSwap;
    static int framesStarted;
    static int keyPostedFor;
    readsBeforeSwap.clear();
    framesStarted = 0;
    keyPostedFor = -1;
    ResetProcessState();
    game.gameRunning = 1;  // a game in progress
    game.health = 100.0f;
    game.titleSlide = -5.7f;
    ScriptedHostSetup hooks;
    hooks.messageBox = [](const std::string&, const std::string&, UINT) { return IDYES; };
    hooks.frameStart = [] {
        atFrameStart = LayerClockReadings();
        ++framesStarted;
    };
    hooks.beforeSwap = [] { readsBeforeSwap.push_back(LayerClockReadings() - atFrameStart); };
    hooks.queueEmpty = [] {
        int next = framesStarted;  // index of the frame about to run
        if (next >= 6 || keyPostedFor == next)
            return;
        keyPostedFor = next;
        if (next == 0 ? escapeDown[0] : escapeDown[next] != escapeDown[next - 1])
            LayerPostMessage(mainWindow, escapeDown[next] ? WM_KEYDOWN : WM_KEYUP, VK_ESCAPE, 0);
    };
    InstallScriptedHost(hooks);
    EXPECT_EQ(GameMain(NULL, NULL, NULL, SW_SHOW), 0);
    LayerInstallHost(nullptr);
    ASSERT_EQ(readsBeforeSwap.size(), 6u);
    EXPECT_EQ(readsBeforeSwap[0], 3);
    EXPECT_EQ(readsBeforeSwap[1], 3);
    EXPECT_EQ(readsBeforeSwap[2], 2);  // fresh press: suspends, not paced
    EXPECT_EQ(readsBeforeSwap[3], 3);  // still held: paced
    EXPECT_EQ(readsBeforeSwap[4], 3);
    EXPECT_EQ(readsBeforeSwap[5], 2);  // fresh press at the panel: quits, not paced
}

// The title panel shown for `frames` frames on a simulated clock read every `step` us, whose
// sleeps last `overshoot` us longer than asked, with or without a high-resolution timer: each
// frame's simulated length up to its swap (from before its TimerStart, in us) and the clock
// readings it took.
struct PacedFrames {
    std::vector<int64_t> lengths;
    std::vector<long> readings;
};

PacedFrames RunPaced(int frames, int64_t step, int64_t overshoot, bool fineTimer = true)
{
    static PacedFrames paced;
    static int64_t began;
    static long readAtStart;
    static int wanted;
    paced = PacedFrames();
    wanted = frames;
    ResetProcessState();
    ScriptedClockSetPace(step, overshoot);
    ScriptedClockSetFineSleep(fineTimer);
    ScriptedHostSetup hooks;
    hooks.frameStart = [] {
        began = ScriptedClockNow();
        readAtStart = LayerClockReadings();
    };
    hooks.beforeSwap = [] {
        paced.lengths.push_back(ScriptedClockNow() - began);
        paced.readings.push_back(LayerClockReadings() - readAtStart);
    };
    hooks.queueEmpty = [] {
        if ((int)paced.lengths.size() == wanted)
            LayerPostMessage(mainWindow, WM_CLOSE, 0, 0);
    };
    InstallScriptedHost(hooks);
    EXPECT_EQ(GameMain(NULL, NULL, NULL, SW_SHOW), 0);
    LayerInstallHost(nullptr);
    ResetProcessState();
    return paced;
}

TEST(Pacing, TheWaitSleepsWhileTimeIsLeftAndNoFrameEndsLate)
{
    // Readings 0.1 ms apart, sleeps 0.3 ms longer than asked: spinning alone would read the
    // clock 100 times. On the timer the wait sleeps to within its overshoot of the bound (the
    // first frame learns it); by the millisecond, it spins its last 1.4 ms or less.
    for (bool fineTimer : {true, false}) {
        PacedFrames run = RunPaced(60, 100, 300, fineTimer);
        ASSERT_EQ(run.lengths.size(), 60u);
        for (size_t i = 0; i < run.lengths.size(); ++i) {
            // TimerStart's reading, then 10 ms to the first reading at or past the bound.
            EXPECT_GE(run.lengths[i], 10100) << "frame " << i;
            EXPECT_LE(run.lengths[i], 10300) << "frame " << i << " ended late";
            EXPECT_LT(run.readings[i], fineTimer && i > 0 ? 7 : 30)
                << "frame " << i << " spun instead of sleeping, timer " << fineTimer;
        }
    }
}

TEST(Pacing, SleepsTooLongForAFrameAreGivenUpAfterTheFirst)
{
    // A coarse system timer: a sleep lasts 14.6 ms longer. The first costs one late frame; then
    // the wait spins, and only tries sleeping again seconds later.
    for (bool fineTimer : {true, false}) {
        PacedFrames run = RunPaced(150, 100, 14600, fineTimer);
        ASSERT_EQ(run.lengths.size(), 150u);
        EXPECT_GT(run.lengths[0], 15000);
        for (size_t i = 1; i < run.lengths.size(); ++i)
            EXPECT_LE(run.lengths[i], 10300) << "frame " << i << " ended late, timer " << fineTimer;
    }
}

TEST(Quitting, F1QuitsFromAnywhereWithoutASound)
{
    for (bool running : {false, true}) {
        ScenarioResult run = RunScenario("answer yes\nframes 2\nframes 1 F1\nframes 5\n", ReplayOptions(),
                                         [running] { game.gameRunning = running ? 1 : 0; });
        EXPECT_EQ(run.frameCount(), 3);
        EXPECT_EQ(Sounds(run, 3), nlohmann::json::array());
        EXPECT_EQ(run.exitCode(), 0) << "a quit by F1 is a normal end";
    }
}

TEST(Quitting, ClosingTheWindowEndsTheLoopWithZero)
{
    ScenarioResult run = RunScenario("answer yes\nframes 2\nclose\nframes 5\n");
    EXPECT_EQ(run.frameCount(), 2);
    EXPECT_EQ(run.exitCode(), 0);
    // A script that simply ends closes the window the same way.
    ScenarioResult ended = RunScenario("answer yes\nframes 4 W\n");
    EXPECT_EQ(ended.frameCount(), 4);
    EXPECT_EQ(ended.exitCode(), 0);
}

TEST(Minimising, SkipsDrawingButTheInputStepsRunOn)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1\nminimize\nframes 3 mouse 10 0\nrestore\nframes 1\n");
    EXPECT_TRUE(run.frame(1)["drawn"].get<bool>());
    for (int frame : {2, 3, 4})
        EXPECT_FALSE(run.frame(frame)["drawn"].get<bool>()) << frame;
    EXPECT_TRUE(run.frame(5)["drawn"].get<bool>());
    // Ten pixels to the right turn the view one degree right per frame, wrapping below 0.
    EXPECT_EQ(run.frame(2)["yaw"], 360.0);
    EXPECT_EQ(run.frame(3)["yaw"], 359.0);
    EXPECT_EQ(run.frame(4)["yaw"], 358.0);
    EXPECT_EQ(run.frame(5)["yaw"], 358.0);
}

TEST(Keys, HeldKeysReachTheInputStepsAndReleaseOnTheNextStep)
{
    ScenarioResult run = RunScenario("answer yes\nframes 2 W\nframes 1\nframes 1 C\n");
    float z1 = run.frame(1)["playerZ"].get<float>();
    float z2 = run.frame(2)["playerZ"].get<float>();
    EXPECT_LT(z1, 10.0f);
    EXPECT_NEAR(10.0f - z1, 0.08f * 1.9f, 1e-5f);
    EXPECT_NEAR(z1 - z2, 0.08f * 1.9f, 1e-5f);
    EXPECT_EQ(run.frame(3)["playerZ"], run.frame(2)["playerZ"]);
    EXPECT_LT(run.frame(4)["eyeHeight"].get<float>(), 0.5f);
}

// A key pressed and let go between two frames (an instant tap) is held for the one frame after
// it, and what was queued behind its release waits with it.
TEST(Keys, ATapBetweenTwoFramesIsHeldForOneFrame)
{
    static std::vector<int> held;
    static bool tapped;
    held.clear();
    tapped = false;
    ResetProcessState();
    ScriptedHostSetup hooks;
    hooks.beforeSwap = [] { held.push_back(keys['W'] * 10 + keys['C']); };
    hooks.queueEmpty = [] {
        if (held.size() == 3 && !tapped) {
            tapped = true;
            LayerPostMessage(mainWindow, WM_KEYDOWN, 'W', 1);
            LayerPostMessage(mainWindow, WM_KEYUP, 'W', KeyChangeParam(false));
            LayerPostMessage(mainWindow, WM_KEYDOWN, 'C', 1);
        } else if (held.size() == 6) {
            LayerPostMessage(mainWindow, WM_CLOSE, 0, 0);
        }
    };
    InstallScriptedHost(hooks);
    EXPECT_EQ(GameMain(NULL, NULL, NULL, SW_SHOW), 0);
    LayerInstallHost(nullptr);
    ResetProcessState();
    EXPECT_EQ(held, (std::vector<int>{0, 0, 0, 10, 1, 1}));
}

}  // namespace
