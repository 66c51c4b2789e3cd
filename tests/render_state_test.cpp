// The random sequence, the flash of light 1, and the render state and scenery set up at start.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/game_window.h"
#include "game/game_random.h"
#include "game/game_state.h"
#include "render/render_state.h"
#include "tests/scenario.h"

namespace {

TEST(GameRandom, FollowsTheClassicSequenceFromStateOne)
{
    // The sequence every Windows C runtime gives an unseeded rand().
    randomState = 1;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected)
        EXPECT_EQ(GameRand(), value);
    randomState = 0xFFFFFFFFu;  // the state wraps modulo 2^32
    EXPECT_EQ(GameRand(), (int)(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7FFF));
    randomState = 1;
}

// A generator state whose next roll modulo 140 is (or, with `fifty` false, is not) 50.
uint32_t StateRolling(bool fifty)
{
    for (uint32_t state = 0;; ++state) {
        uint32_t next = state * 214013u + 2531011u;
        bool isFifty = ((next >> 16) & 0x7FFF) % 140 == 50;
        if (isFifty == fifty)
            return state;
    }
}

struct FlashRun {
    int litFrames = 0;
    std::vector<bool> lit;
};

// Runs the flash step for `frames` frames, forcing a roll of 50 in the frames listed.
FlashRun RunFlash(int frames, std::vector<int> fiftyAt)
{
    FlashRun run;
    for (int frame = 0; frame < frames; ++frame) {
        bool fifty = std::find(fiftyAt.begin(), fiftyAt.end(), frame) != fiftyAt.end();
        randomState = StateRolling(fifty);
        FlashStep();
        run.lit.push_back(game.flashOn != 0);
        run.litFrames += game.flashOn ? 1 : 0;
    }
    return run;
}

TEST(Flash, LightsForNineteenDrawnFramesFromTheRollOfFifty)
{
    game = GameState();
    FlashRun run = RunFlash(40, {5});
    EXPECT_EQ(run.litFrames, 19);
    for (int frame = 0; frame < 40; ++frame)
        EXPECT_EQ(run.lit[frame], frame >= 5 && frame < 24) << frame;
    EXPECT_EQ(game.flashTimer, 0.0f);
}

TEST(Flash, ARollOfFiftyWhileLitNeitherRestartsNorExtends)
{
    game = GameState();
    FlashRun during = RunFlash(40, {5, 12});
    EXPECT_EQ(during.litFrames, 19);
    // In the very frame the count reaches 20 the roll is swallowed: the light goes off.
    game = GameState();
    FlashRun atTheEnd = RunFlash(60, {5, 24});
    EXPECT_EQ(atTheEnd.litFrames, 19);
    EXPECT_FALSE(atTheEnd.lit[24]);
    EXPECT_FALSE(atTheEnd.lit[25]);
}

}  // namespace
