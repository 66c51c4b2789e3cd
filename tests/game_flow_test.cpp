// The flow around a game: the title panel's slide, starting, pausing and resuming, the choice
// of level, the new-game reset, game over and health regeneration.
#include <gtest/gtest.h>

#include "game/game_state.h"
#include "tests/scenario.h"

namespace {


float Slide(const nlohmann::json& frame)
{
    return frame["titleSlide"].get<float>();
}

TEST(TitlePanel, SlidesInOver101FramesAndShowsItsTextsFromThe100th)
{
    ScenarioResult run = RunScenario("answer yes\nframes 110\n");
    EXPECT_EQ(FirstFrame(run, 1, [](const nlohmann::json& f) { return Slide(f) > 0.0f; }), 100);
    EXPECT_LT(Slide(run.frame(99)), 0.0f);
    EXPECT_NEAR(Slide(run.frame(101)), 0.05f, 1e-5f);
    EXPECT_EQ(Slide(run.frame(110)), Slide(run.frame(101))) << "the panel rests";
    EXPECT_EQ(run.frame(110)["skySpin"], 0) << "no world is drawn behind the panel";
}

TEST(TitlePanel, EnterAtRestBringsTheWorldBackAfter102FramesAndRestsAfter115)
{
    ScenarioResult run = RunScenario("answer yes\nframes 110\nframes 1 ENTER\nframes 120\n");
    // Enter is held in frame 111: the panel turns back there, and the world returns in the
    // 102nd frame from it.
    int world = FirstFrame(run, 111, [](const nlohmann::json& f) { return f["skySpin"].get<int>() > 0; });
    EXPECT_EQ(world, 111 + 101);
    EXPECT_LT(Slide(run.frame(world)), -5.0f);
    EXPECT_GE(Slide(run.frame(world - 1)), -5.0f);
    int rest = FirstFrame(run, 111, [](const nlohmann::json& f) { return f["titleSlide"].get<float>() <= -5.7f; });
    EXPECT_EQ(rest, 111 + 114);
    EXPECT_EQ(Slide(run.frame(rest + 5)), Slide(run.frame(rest)));
}

TEST(TitlePanel, EnterHeldFromTheFirstFrameDrawsTheWorldAtOnce)
{
    ScenarioResult run = RunScenario("answer yes\nframes 3 ENTER\n");
    EXPECT_EQ(run.frame(1)["gameRunning"], 1);
    EXPECT_EQ(run.frame(1)["skySpin"], 1);
    EXPECT_EQ(run.frame(1)["health"], 600.0);  // level 4
}

TEST(TitlePanel, ThePausedWorldRuns13MoreFramesWhileThePanelComesBack)
{
    ScenarioResult run = RunScenario("answer yes\nframes 200 ENTER\nframes 1 ESC\nframes 40\n");
    int pauseFrame = 201;  // Escape clears gameRunning at the end of this frame
    EXPECT_EQ(run.frame(pauseFrame)["gameRunning"], 0);
    int spinAtPause = run.frame(pauseFrame)["skySpin"];
    EXPECT_EQ(run.frame(pauseFrame + 40)["skySpin"].get<int>() - spinAtPause, 13);
}

TEST(GameStart, OneGamePerPressOfEnterAndTheSoundEachTime)
{
    ScenarioResult run = RunScenario("answer yes\nframes 50 ENTER\nframes 5\nframes 1 ENTER\nframes 5\n");
    int sounds = 0;
    for (const auto& frame : run.frames())
        for (const auto& sound : frame["sounds"])
            sounds += sound == menuCue;
    EXPECT_EQ(sounds, 2);
    // The second press during play resets nothing: the player has fallen on meanwhile.
    EXPECT_LT(run.frame(61)["jumpHeight"].get<float>(), run.frame(50)["jumpHeight"].get<float>());
}

TEST(GameStart, TheLastDigitTestedWinsAndDigitsAreIgnoredOnceAGameExists)
{
    ScenarioResult run = RunScenario(
        "answer yes\nframes 2 3 7\nframes 2 0 9\nframes 2\nframes 1 ENTER 8\nframes 5 2\nframes 1 ESC\nframes 5 1\n");
    EXPECT_EQ(run.frame(2)["difficulty"], 7.0);
    EXPECT_EQ(run.frame(4)["difficulty"], 10.0);  // '0' is tested last
    // A digit held with Enter still counts: the digits are read before Enter.
    EXPECT_EQ(run.frame(7)["difficulty"], 8.0);
    EXPECT_EQ(run.frame(7)["health"], 100.0);
    EXPECT_EQ(run.frame(12)["difficulty"], 8.0);  // digits in play do nothing
    EXPECT_EQ(run.frame(18)["difficulty"], 8.0);  // nor in a pause
    EXPECT_EQ(run.frame(18)["choosingDifficulty"], 0);
    EXPECT_EQ(run.frame(18)["gameRunning"], 0);
}

TEST(GameStart, EnterAfterEscapeResumesWithoutAReset)
{
    ScenarioResult run = RunScenario(
        "answer yes\nframes 200 ENTER\nframes 20 W\nframes 1 ESC\nframes 30\nframes 1 ENTER\nframes 2\n");
    nlohmann::json paused = run.frame(250);
    nlohmann::json resumed = run.frame(253);
    EXPECT_EQ(paused["gameRunning"], 0);
    EXPECT_EQ(resumed["gameRunning"], 1);
    for (const char* field : {"health", "score", "playerX", "playerZ", "ammo", "enemyHealth", "difficulty"})
        EXPECT_EQ(resumed[field], paused[field]) << field;
}

TEST(GameStart, ANewGameSetsItsFieldsAndInheritsTheOthers)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1 mouse 50 20\nframes 1 ENTER\n", ReplayOptions(), [] {
        game.freezeTimer = 17;
        game.burning = 1.0f;
        game.burnTimer = 33.0f;
        game.regenTimer = 12.0f;
        game.flameFrame = 0.375f;
        game.pickupSpin = 99;
        game.ammo[2] = 4.0f;
        game.enemyX = 3.0f;
    });
    nlohmann::json start = run.frame(2);
    EXPECT_EQ(start["freezeTimer"], 17);
    EXPECT_EQ(start["burning"], 1.0);
    EXPECT_EQ(start["burnTimer"], 33.0);
    EXPECT_EQ(start["flameFrame"], 0.375);
    EXPECT_EQ(start["pickupSpin"], 99);
    EXPECT_EQ(start["yaw"], run.frame(1)["yaw"]);
    EXPECT_EQ(start["pitch"], run.frame(1)["pitch"]);
    EXPECT_EQ(start["ammo"], nlohmann::json::array({10.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(start["enemyX"], 0.0);
    EXPECT_EQ(start["enemyMaxHealth"], 100.0);
    EXPECT_EQ(start["enemyHealth"], 100.0);
    EXPECT_EQ(start["health"], 600.0);
    EXPECT_EQ(start["choosingDifficulty"], 0);
    EXPECT_EQ(start["enterHeld"], 1);
}

TEST(GameOver, HealthAtZeroEndsTheGameAndANewLevelCanBeChosen)
{
    ReplayOptions options;
    // Damage after the HUD of frame 100 takes the player below zero.
    options.frameEnd = [](int frame) {
        if (frame == 100)
            game.health = -3.5f;
    };
    ScenarioResult run = RunScenario("answer yes\nframes 100 ENTER\nframes 10\nframes 1 5\nframes 1 ENTER\n", options);
    nlohmann::json over = run.frame(101);
    EXPECT_EQ(over["health"], 0.0);
    EXPECT_EQ(over["gameRunning"], 0);
    EXPECT_EQ(run.frame(102)["choosingDifficulty"], 1);
    EXPECT_EQ(run.frame(111)["difficulty"], 5.0);
    nlohmann::json restarted = run.frame(112);
    EXPECT_EQ(restarted["gameRunning"], 1);
    EXPECT_EQ(restarted["health"], 600.0);
    EXPECT_EQ(restarted["jumpHeight"], 15.0) << "a full reset drops the player in again";
}

TEST(GameOver, RegenerationInTheSameFrameLeavesThePlayerPausedWithOnePoint)
{
    ReplayOptions options;
    // By frame 250 the regeneration timer has passed 100 (health stood above 100 all along).
    options.frameEnd = [](int frame) {
        if (frame == 250)
            game.health = -1.0f;
    };
    ScenarioResult run = RunScenario("answer yes\nframes 250 ENTER\nframes 20\nframes 1 ENTER\nframes 2\n", options);
    EXPECT_EQ(run.frame(251)["health"], 1.0);
    EXPECT_EQ(run.frame(251)["gameRunning"], 0);
    EXPECT_EQ(run.frame(270)["health"], 1.0);
    nlohmann::json resumed = run.frame(271);
    EXPECT_EQ(resumed["gameRunning"], 1);
    EXPECT_EQ(resumed["health"], 1.0) << "Enter resumes: no reset";
}

TEST(Regeneration, OnePointEvery250FramesBelow100AndAtOnceAfterALongTimeAbove)
{
    ReplayOptions options;
    options.frameEnd = [](int frame) {
        if (frame == 10)
            game.health = 50.0f;
        // The enemy stays below the floor: only regeneration changes the health here.
        game.enemyY = -20.0f;
        game.enemyEmerged = 0;
    };
    ScenarioResult run = RunScenario("answer yes\nframes 700 ENTER\n", options, [] { game.difficulty = 8.0f; });
    // Level 8 starts at 100: no gain, the timer grows on; a fresh loss waits for the timer.
    EXPECT_EQ(run.frame(9)["health"], 100.0);
    EXPECT_GT(run.frame(9)["regenTimer"].get<float>(), 3.0f);
    EXPECT_EQ(run.frame(11)["health"], 50.0);
    // After a long time at 100 or more the first point comes at once ...
    ScenarioResult slow = RunScenario("answer yes\nframes 800 ENTER\n", options, [] {
        game.difficulty = 8.0f;
        game.regenTimer = 500.0f;
    });
    EXPECT_EQ(slow.frame(11)["health"], 51.0);
    // ... and then one every 250 frames.
    int gains = 0;
    for (int frame = 12; frame <= 761; ++frame)
        gains += slow.frame(frame)["health"] != slow.frame(frame - 1)["health"];
    EXPECT_EQ(gains, 3);
    EXPECT_EQ(slow.frame(261)["health"], 52.0);
    EXPECT_EQ(slow.frame(260)["health"], 51.0);
}

}  // namespace
