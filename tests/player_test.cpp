// Walking, looking, jumping and crouching, and the fall into the arena at a new game.
#include <gtest/gtest.h>

#include <cmath>

#include "game/game_state.h"
#include "tests/scenario.h"

namespace {

TEST(Player, ANewGameFallsFor174FramesAndTheWalkFactorDecaysAndRecovers)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 260\n");
    // World frames start at frame 1: the landing frame is the 174th.
    EXPECT_GT(Field(run, 173, "jumpHeight"), 0.0f);
    EXPECT_LE(Field(run, 174, "jumpHeight"), 0.0f);
    EXPECT_NEAR(Field(run, 174, "jumpHeight"), -0.051f, 1e-4f);
    EXPECT_EQ(Field(run, 174, "jumpVelocity"), 0.0f);
    EXPECT_NEAR(Field(run, 173, "moveSpeed"), 0.02f, 1e-4f);
    // On the ground the walk factor recovers by 0.002 a frame and settles near 0.082.
    EXPECT_NEAR(Field(run, 175, "moveSpeed") - Field(run, 174, "moveSpeed"), 0.002f, 1e-6f);
    EXPECT_NEAR(Field(run, 260, "moveSpeed"), 0.082f, 1e-4f);
    EXPECT_EQ(Field(run, 260, "moveSpeed"), Field(run, 240, "moveSpeed"));
    EXPECT_EQ(Field(run, 260, "jumpHeight"), Field(run, 174, "jumpHeight")) << "not reset to 0";
}

TEST(Player, TheFirstJumpLastsOneFrameAndLaterOnes101)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 219\nframes 1 SPACE\nframes 9\n"
                                     "frames 1 SPACE\nframes 130\n");
    // Space held in frame 221 takes off after its swap, so the jump acts in frame 222: from
    // -0.051 it lands at once.
    EXPECT_NEAR(Field(run, 222, "jumpHeight"), -0.001f, 1e-4f);
    EXPECT_EQ(Field(run, 222, "jumpVelocity"), 0.0f);
    // The next take-off, in frame 231, is airborne from frame 232 for 100 frames.
    int airborne = 0;
    for (int frame = 222; frame <= 360; ++frame)
        airborne += Field(run, frame, "jumpHeight") > 0.0f;
    EXPECT_EQ(airborne, 100);
    EXPECT_GT(Field(run, 331, "jumpHeight"), 0.0f);
    EXPECT_NEAR(Field(run, 332, "jumpHeight"), -0.001f, 1e-4f);
    EXPECT_NEAR(Field(run, 331, "moveSpeed"), 0.032f, 1e-4f);
}

TEST(Player, CrouchingSeventeenFramesAndStandingSeventeenComesBackToExactlyHalf)
{
    ScenarioResult run = RunScenario("answer yes\nframes 17 C\nframes 17\nframes 17 SHIFT\n");
    EXPECT_NEAR(Field(run, 17, "eyeHeight"), -0.01f, 1e-5f);
    EXPECT_NEAR(Field(run, 17, "moveSpeed"), 0.063f, 1e-5f);
    EXPECT_EQ(Field(run, 34, "eyeHeight"), 0.5f);
    EXPECT_NEAR(Field(run, 51, "eyeHeight"), -0.01f, 1e-5f);
}

TEST(Player, YawAndPitchWrapDroppingTheExcess)
{
    // 355 + 10 steps of one degree to the left passes 360 and starts again at 0.
    ScenarioResult left = RunScenario("answer yes\nframes 10 mouse -10 0\n", ReplayOptions(), [] { game.yaw = 355.5f; });
    EXPECT_EQ(Field(left, 4, "yaw"), 359.5f);
    EXPECT_EQ(Field(left, 5, "yaw"), 0.0f);
    EXPECT_EQ(Field(left, 6, "yaw"), 1.0f);
    ScenarioResult up = RunScenario("answer yes\nframes 3 mouse 0 -10\n", ReplayOptions(), [] { game.pitch = 1.5f; });
    EXPECT_EQ(Field(up, 1, "pitch"), 0.5f);
    EXPECT_EQ(Field(up, 2, "pitch"), 360.0f);
    EXPECT_EQ(Field(up, 3, "pitch"), 359.0f);
}

TEST(Player, WalkingFollowsTheHeadingAndSlidesAlongTheWalls)
{
    ScenarioResult ahead = RunScenario("answer yes\nframes 1 W\n");
    EXPECT_LT(Field(ahead, 1, "playerZ"), 10.0f);
    EXPECT_EQ(Field(ahead, 1, "playerX"), 0.0f);
    ScenarioResult turned = RunScenario("answer yes\nframes 1 W\n", ReplayOptions(), [] { game.yaw = 90.0f; });
    EXPECT_LT(Field(turned, 1, "playerX"), -0.15f);
    EXPECT_NEAR(Field(turned, 1, "playerZ"), 10.0f, 1e-6f);
    // Diagonally into the corner: each axis stops at exactly 19.5, the other walks on.
    // (The dumps come after the frame's walking step; a frame without walking shows the clamp.)
    ScenarioResult wall = RunScenario("answer yes\nframes 1 ENTER\nframes 280 W A\nframes 1\nframes 20 W A\nframes 1\n",
                                      ReplayOptions(), [] { game.yaw = 30.0f; });
    EXPECT_EQ(Field(wall, 282, "playerX"), -19.5f);
    EXPECT_EQ(Field(wall, 303, "playerX"), -19.5f);
    EXPECT_LT(Field(wall, 303, "playerZ"), Field(wall, 282, "playerZ")) << "still sliding along the wall";
}

}  // namespace
