// The enemy: rising, death and respawn, pursuit, pulse, freeze, burning and drift, the
// lightning and its hit test, contact damage, and the places of its random rolls.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/game_random.h"
#include "game/game_state.h"
#include "tests/scenario.h"

namespace {


// Frames (from..to) in which the sound was played.
std::vector<int> FramesWith(const ScenarioResult& run, const char* sound, int from, int to)
{
    std::vector<int> found;
    for (int frame = from; frame <= to; ++frame)
        if (SoundCount(run.frame(frame), sound) > 0)
            found.push_back(frame);
    return found;
}

// Shots of the enemy go to the directory named by TRIMVALD_ENEMY_SHOTS, when it is set.
void Shot(ReplayOptions& options, int frame, const char* name)
{
    if (const char* dir = std::getenv("TRIMVALD_ENEMY_SHOTS"))
        options.shots[frame] = std::string(dir) + "/" + name + ".png";
}

// A game from frame 1, the player landed at (x, 10) and the enemy risen at the end of frame 1.
void StandAndRaise(int frame, float playerX)
{
    if (frame == 1) {
        game.jumpHeight = 0.0f;
        game.playerX = playerX;
        game.enemyY = 2.0f;
    }
}

// The first life and the second: a new game rises 220 times, a respawn 51 times.
const ScenarioResult& RiseAndRespawn()
{
    static ScenarioResult run;
    static uint32_t stateBeforeRespawn = 0;
    if (run.lines.empty()) {
        ReplayOptions options;
        options.frameEnd = [](int frame) {
            if (frame == 222)
                game.enemyHealth = 1.0f;
            if (frame == 236)
                stateBeforeRespawn = randomState;
        };
        Shot(options, 215, "rising");
        Shot(options, 230, "swelling");
        run = RunScenario("answer yes\nframes 1 ENTER\nframes 289\n", options, [] { randomState = 1; });
        run.lines.push_back({{"stateBeforeRespawn", stateBeforeRespawn}});
    }
    return run;
}

TEST(EnemyLife, ANewEnemyRises220TimesAndARespawnedOne51)
{
    const ScenarioResult& run = RiseAndRespawn();
    EXPECT_NEAR(Field(run, 1, "enemyY"), -19.9f, 1e-5f);
    EXPECT_EQ(run.frame(220)["enemyEmerged"], 0);
    EXPECT_GT(Field(run, 220, "enemyY"), 2.0f);
    EXPECT_NEAR(Field(run, 220, "enemyY"), 2.00004f, 2e-5f);
    EXPECT_LT(Field(run, 219, "enemyY"), 2.0f);
    EXPECT_EQ(run.frame(221)["enemyEmerged"], 1);
    // Respawned in frame 237 at -3 under the centre: 50 rises stay short of 2, the 51st ends near 2.1.
    EXPECT_EQ(Field(run, 237, "enemyY"), -3.0f);
    EXPECT_EQ(Field(run, 237, "enemyX"), 0.0f);
    EXPECT_EQ(Field(run, 237, "enemyZ"), 0.0f);
    EXPECT_LT(Field(run, 287, "enemyY"), 2.0f);
    EXPECT_EQ(run.frame(288)["enemyEmerged"], 0);
    EXPECT_NEAR(Field(run, 288, "enemyY"), 2.1f, 1e-4f);
    EXPECT_EQ(run.frame(289)["enemyEmerged"], 1);
}

TEST(EnemyLife, HealthOfOneSwellsFifteenTimesThenTheKillCountsAndTheRollsFollow)
{
    const ScenarioResult& run = RiseAndRespawn();
    EXPECT_EQ(run.frame(222)["enemyDying"], 0);
    EXPECT_EQ(run.frame(223)["enemyDying"], 1);
    EXPECT_NEAR(Field(run, 223, "enemyRadius"), 0.98f, 1e-5f);
    EXPECT_NEAR(Field(run, 236, "enemyRadius"), 77.8f, 0.05f);  // 14 swells, still drawn
    EXPECT_EQ(Field(run, 236, "score"), 0.0f);
    EXPECT_EQ(Field(run, 237, "score"), 1.0f);  // the 15th would be about 108.9
    EXPECT_EQ(Field(run, 237, "enemyRadius"), 0.7f);
    EXPECT_EQ(run.frame(237)["enemyDying"], 0);
    EXPECT_EQ(run.frame(237)["enemyEmerged"], 0);
    EXPECT_EQ(Field(run, 237, "enemyHealth"), Field(run, 237, "enemyMaxHealth"));
    EXPECT_EQ(run.frame(237)["freezeTimer"], 200);
    // The death cue once, at the start of the swell.
    EXPECT_EQ(FramesWith(run, deathCue, 1, 289), std::vector<int>{223});
    // The respawn frame rolls the flash, then driftX, a lost roll and driftZ, then the lightning.
    uint32_t before = run.lines.back()["stateBeforeRespawn"];
    uint32_t saved = randomState;
    randomState = before;
    GameRand();
    float driftX = (float)(GameRand() % 4);
    GameRand();
    float driftZ = (float)(GameRand() % 4);
    int lightningRoll = GameRand() % 100;
    randomState = saved;
    EXPECT_EQ(Field(run, 237, "driftX"), driftX);
    EXPECT_EQ(Field(run, 237, "driftZ"), driftZ);
    if (run.frame(236)["lightningTimer"].get<int>() + 1 > -100 && lightningRoll != 50) {
        EXPECT_EQ(run.frame(237)["lightningTimer"], lightningRoll);
    }
}

TEST(EnemyPulse, ACycleOf26FramesBetweenSevenTenthsAnd135Hundredths)
{
    const ScenarioResult& run = RiseAndRespawn();
    float low = 10.0f, high = 0.0f;
    std::vector<int> troughs;
    for (int frame = 2; frame <= 219; ++frame) {
        float scale = Field(run, frame, "enemyScaleY");
        low = std::min(low, scale);
        high = std::max(high, scale);
        if (scale < Field(run, frame - 1, "enemyScaleY") && scale < Field(run, frame + 1, "enemyScaleY"))
            troughs.push_back(frame);
    }
    EXPECT_NEAR(high, 1.35f, 1e-5f);
    // The low turn is the single-precision neighbour of 0.7 that the steps of 0.05 reach.
    EXPECT_NEAR(low, 0.7f, 1e-6f);
    ASSERT_GE(troughs.size(), 3u);
    for (std::size_t i = 1; i < troughs.size(); ++i)
        EXPECT_EQ(troughs[i] - troughs[i - 1], 26);
    // From 1.0 it first shrinks: 0.95 after the first frame.
    EXPECT_NEAR(Field(run, 1, "enemyScaleY"), 0.95f, 1e-6f);
}

TEST(EnemyPursuit, ItClosesAFortiethTimesOneAndAHalfAndSinksToTheEye)
{
    ReplayOptions options;
    options.frameEnd = [](int frame) { StandAndRaise(frame, 3.0f); };
    Shot(options, 40, "hunting");
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 99\n", options);
    // Target stored x = -3, z = -10: 3.75 % of the distance a frame, never past it.
    for (int frame = 3; frame <= 100; ++frame) {
        float x = Field(run, frame - 1, "enemyX"), z = Field(run, frame - 1, "enemyZ");
        EXPECT_NEAR(Field(run, frame, "enemyX"), x - (x + 3.0f) * 0.0375f, 1e-5f) << frame;
        EXPECT_NEAR(Field(run, frame, "enemyZ"), z - (z + 10.0f) * 0.0375f, 1e-5f) << frame;
        EXPECT_GE(Field(run, frame, "enemyX"), -3.0f);
        EXPECT_NEAR(Field(run, frame, "enemySpin") - Field(run, frame - 1, "enemySpin"), 4.0f, 1e-3f);
    }
    // From 2 it sinks 0.02 a frame to the eye at 0.5, in about 75 frames, and rests on or just above it.
    EXPECT_NEAR(Field(run, 2, "enemyY"), 1.98f, 1e-5f);
    EXPECT_GT(Field(run, 74, "enemyY"), 0.52f);
    for (int frame = 78; frame <= 100; ++frame) {
        EXPECT_GE(Field(run, frame, "enemyY"), 0.5f);
        EXPECT_LE(Field(run, frame, "enemyY"), 0.52f);
    }
}

// Frozen and set alight by one hit in frame 20 (the effects set at the end of frame 19), with
// drift factors 3 and 0: the freeze stops the pursuit, so only the drift moves it.
const ScenarioResult& FrozenAndBurning()
{
    static ScenarioResult run;
    if (run.lines.empty()) {
        ReplayOptions options;
        options.frameEnd = [](int frame) {
            StandAndRaise(frame, 3.0f);
            if (frame == 19) {
                game.freezeTimer = 0;
                game.burning = 1.0f;
                game.burnTimer = 0.0f;
                game.driftX = 3.0f;
                game.driftZ = 0.0f;
            }
        };
        Shot(options, 22, "frozen_burning");
        run = RunScenario("answer yes\nframes 1 ENTER\nframes 235\n", options, [] { randomState = 1; });
    }
    return run;
}

TEST(EnemyFreeze, TwoHundredFramesWithoutSpinOrPulseAndThePulseBackInTheLast)
{
    const ScenarioResult& run = FrozenAndBurning();
    float spin = Field(run, 19, "enemySpin");
    float scale = Field(run, 19, "enemyScaleY");
    for (int frame = 20; frame <= 218; ++frame) {
        EXPECT_EQ(Field(run, frame, "enemySpin"), spin) << frame;
        EXPECT_EQ(Field(run, frame, "enemyScaleY"), scale) << frame;
        EXPECT_EQ(Field(run, frame, "chaseRate"), 0.0f);
        EXPECT_EQ(Field(run, frame, "climbRate"), 0.0f);
    }
    EXPECT_EQ(run.frame(20)["freezeTimer"], 1);
    EXPECT_EQ(run.frame(218)["freezeTimer"], 199);
    // Frame 219, the 200th: rates still 0, but the pulse runs; spin comes back a frame later.
    EXPECT_EQ(run.frame(219)["freezeTimer"], 200);
    EXPECT_EQ(Field(run, 219, "chaseRate"), 0.0f);
    EXPECT_NE(Field(run, 219, "enemyScaleY"), scale);
    EXPECT_EQ(Field(run, 219, "enemySpin"), spin);
    EXPECT_NEAR(Field(run, 220, "enemySpin"), spin + 4.0f, 1e-3f);
    EXPECT_EQ(Field(run, 220, "chaseRate"), 1.5f);
}

TEST(EnemyBurn, IgnitionTheFrameAfterTheHitAndDeath199FramesAfterItWithTheKillCounted)
{
    const ScenarioResult& run = FrozenAndBurning();
    EXPECT_EQ(Field(run, 20, "burnTimer"), 1.0f);
    EXPECT_EQ(FramesWith(run, ignitionCue, 1, 236), std::vector<int>{21});
    EXPECT_EQ(FramesWith(run, deathCue, 1, 236), std::vector<int>{219}) << "once, from the burn";
    EXPECT_EQ(Field(run, 218, "burning"), 1.0f);
    EXPECT_EQ(run.frame(218)["enemyDying"], 0);
    EXPECT_EQ(Field(run, 219, "burning"), 0.0f);
    EXPECT_EQ(run.frame(219)["enemyDying"], 1);
    EXPECT_EQ(Field(run, 219, "enemyHealth"), Field(run, 18, "enemyHealth")) << "whatever its health";
    EXPECT_EQ(Field(run, 233, "score"), 0.0f);
    EXPECT_EQ(Field(run, 234, "score"), 1.0f);  // the 15th swell, frame 219 + 15
    // Frozen (no climb), it rises 0.02 a frame while it burns.
    for (int frame = 21; frame <= 218; ++frame)
        EXPECT_NEAR(Field(run, frame, "enemyY") - Field(run, frame - 1, "enemyY"), 0.02f, 1e-5f) << frame;
}

TEST(EnemyBurn, TheFlameShowsSevenCellsThreeFramesEach)
{
    const ScenarioResult& run = FrozenAndBurning();
    int runLength = 0;
    float last = -1.0f;
    std::vector<float> seen;
    for (int frame = 20; frame <= 219; ++frame) {
        float cell = Field(run, frame, "flameFrame");
        EXPECT_LE(cell, 0.75f) << frame;
        if (cell != last) {
            if (last >= 0.0f && frame > 23) {
                EXPECT_EQ(runLength, 3) << frame;
            }
            if (last >= 0.0f) {
                EXPECT_EQ(cell, last == 0.75f ? 0.0f : last + 0.125f);
            }
            runLength = 0;
            last = cell;
        }
        ++runLength;
    }
    EXPECT_EQ(Field(run, 220, "flameFrame"), Field(run, 219, "flameFrame")) << "the flame is out";
}

TEST(EnemyBurn, DriftSlidesInsideTheBandAndIsPushedBackBeyond193)
{
    const ScenarioResult& run = FrozenAndBurning();
    bool pushedBack = false, slidBack = false;
    for (int frame = 20; frame <= 218; ++frame) {
        float before = Field(run, frame - 1, "enemyX"), after = Field(run, frame, "enemyX");
        float marker = Field(run, frame, "driftDirX");
        float markerBefore = Field(run, frame - 1, "driftDirX");
        if (marker == 0.0f && markerBefore == 5.0f) {
            // Pushed back into the band, the slide resumes in the same frame.
            EXPECT_NEAR(after - before, 3.0f / 7.0f - 0.22f, 1e-5f) << frame;
            EXPECT_GT(before + 3.0f / 7.0f, -15.0f);
            slidBack = true;
        } else if (marker == 0.0f) {
            EXPECT_NEAR(after - before, -0.22f, 1e-5f) << frame;  // toward world +x by 0.52 - 3/10
        } else {
            EXPECT_EQ(marker, 5.0f);
            EXPECT_NEAR(after - before, 3.0f / 7.0f, 1e-5f) << frame;
            pushedBack = true;
        }
        EXPECT_GT(after, -19.3f - 0.23f) << frame;
        // Drift 0 on z: the slide carries it past world 19.3 and nothing brings it back while frozen.
        float z = Field(run, frame, "enemyZ");
        if (Field(run, frame, "driftDirZ") == 5.0f) {
            EXPECT_EQ(z, Field(run, frame - 1, "enemyZ"));
        } else {
            EXPECT_NEAR(z - Field(run, frame - 1, "enemyZ"), -0.52f, 1e-5f) << frame;
        }
    }
    EXPECT_TRUE(pushedBack);
    EXPECT_TRUE(slidBack);
    EXPECT_LT(Field(run, 218, "enemyZ"), -19.3f);
    EXPECT_EQ(Field(run, 218, "driftDirZ"), 5.0f);
}

TEST(EnemyLightning, AStrikeLasts499FramesAndTheRollsResume501FramesAfterIt)
{
    // A generator state whose second roll of the frame (the flash comes first) gives 50.
    uint32_t saved = randomState;
    uint32_t strikeState = 1;
    for (uint32_t candidate = 1;; ++candidate) {
        randomState = candidate;
        GameRand();
        if (GameRand() % 100 == 50) {
            strikeState = candidate;
            break;
        }
    }
    randomState = saved;
    ReplayOptions options;
    options.frameEnd = [strikeState](int frame) {
        StandAndRaise(frame, 3.0f);
        game.health = 999.0f;  // the strike must not end the game
        if (frame == 5)
            randomState = strikeState;
    };
    Shot(options, 8, "lightning");
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 509\n", options);
    EXPECT_EQ(run.frame(5)["lightningActive"], 0);
    EXPECT_EQ(run.frame(6)["lightningTimer"], -600);
    int active = 0;
    for (int frame = 6; frame <= 510; ++frame)
        active += run.frame(frame)["lightningActive"].get<int>();
    EXPECT_EQ(active, 499);
    EXPECT_EQ(run.frame(504)["lightningActive"], 1);
    EXPECT_EQ(run.frame(505)["lightningActive"], 0);
    EXPECT_EQ(run.frame(506)["lightningTimer"], -100);
    int roll = run.frame(507)["lightningTimer"];
    EXPECT_TRUE((roll >= 0 && roll < 100) || roll == -600) << roll;
}

struct HitCase {
    const char* name;
    float playerX, playerZ, enemyX, enemyZ, enemyY, spin;
    uint8_t emerged;
    bool struck;
};

TEST(EnemyLightning, TheHitTestAgainstTheTurnedLineWithItsBandAndHeightWindow)
{
    // Eye at 0.5. At spin 45 the line is p = playerX + enemyX against dz = -playerZ - enemyZ,
    // with the band dz -+ (0.4 - 5 / (playerZ - enemyZ)).
    static const HitCase cases[] = {
        {"on the line, divisor -10 widens the band to 0.9", 0, -10, 10, 0, 0.55f, 45, 1, true},
        {"near the wide band's edge", 0, -10, 10.8f, 0, 0.55f, 45, 1, true},
        {"past the wide band", 0, -10, 11, 0, 0.55f, 45, 1, false},
        {"below the wide band", 0, -10, 9, 0, 0.55f, 45, 1, false},
        {"on the line, divisor 10 leaves no band", 0, 10, -10, 0, 0.55f, 45, 1, false},
        {"on the line, divisor 20 leaves 0.15", 0, 15, -10, -5, 0.55f, 45, 1, true},
        {"off the narrow band", 0, 15, -10.2f, -5, 0.55f, 45, 1, false},
        {"above the height window", 0, -10, 10, 0, 0.75f, 45, 1, false},
        {"low in the height window", 0, -10, 10, 0, 0.45f, 45, 1, true},
        {"below the height window", 0, -10, 10, 0, 0.38f, 45, 1, false},
        {"not yet risen", 0, -10, 10, 0, 0.55f, 45, 0, false},
        {"zero divisor", 0, 5, 5, 5, 0.55f, 0, 1, false},
        {"zero divisor of negative zero", 0, -0.0f, 5, 0, 0.55f, 0, 1, false},
    };
    const int count = sizeof cases / sizeof cases[0];
    ReplayOptions options;
    // Case k is set at the end of frame 10 + 2k and tried in the next frame, frozen in place.
    options.frameEnd = [](int frame) {
        int k = (frame - 10) / 2;
        if (frame == 1)
            game.jumpHeight = 0.0f;
        if (frame < 10 || frame % 2 != 0 || k >= count)
            return;
        const HitCase& c = cases[k];
        game.playerX = c.playerX;
        game.playerZ = c.playerZ;
        game.enemyX = c.enemyX;
        game.enemyZ = c.enemyZ;
        game.enemyY = c.enemyY;
        game.enemySpin = c.spin;
        game.enemyEmerged = c.emerged;
        game.freezeTimer = 0;
        game.lightningActive = 1;
        game.lightningTimer = -400;
        game.health = 500.0f;
        game.jumpHeight = 0.0f;
        game.jumpVelocity = 0.0f;
    };
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes " + std::to_string(2 * count + 10) + "\n", options);
    for (int k = 0; k < count; ++k) {
        int frame = 11 + 2 * k;
        EXPECT_EQ(Field(run, frame, "health"), cases[k].struck ? 490.0f : 500.0f) << cases[k].name;
        EXPECT_EQ(SoundCount(run.frame(frame), lightningCue), cases[k].struck ? 1 : 0) << cases[k].name;
        EXPECT_EQ(SoundCount(run.frame(frame), contactCue), 0) << cases[k].name;
    }
}

TEST(EnemyContact, TwoPointsAndTheCueInEveryFrameTheCentreIsInTheCubeAroundTheEye)
{
    ReplayOptions options;
    options.frameEnd = [](int frame) {
        if (frame == 1) {
            game.jumpHeight = 0.0f;
            game.playerX = 0.0f;
            game.playerZ = 0.0f;
        }
    };
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 259\n", options);
    int touches = 0, beforeRisen = 0;
    for (int frame = 3; frame <= 260; ++frame) {
        // The test sees the height the enemy had at the end of the frame before.
        float y = Field(run, frame - 1, "enemyY");
        bool inside = y >= 0.5f - 1.0f && y <= 0.5f + 1.0f;
        float loss = Field(run, frame - 1, "health") - Field(run, frame, "health");
        EXPECT_EQ(loss, inside ? 2.0f : 0.0f) << frame;
        EXPECT_EQ(SoundCount(run.frame(frame), contactCue), inside ? 1 : 0) << frame;
        touches += inside;
        beforeRisen += inside && run.frame(frame)["enemyEmerged"] == 0;
    }
    EXPECT_GT(beforeRisen, 15) << "it hurts while it rises through the eye";
    EXPECT_GT(touches, 30);
    EXPECT_EQ(SoundCount(run.frame(260), contactCue), 1) << "hovering at the eye it keeps hurting";
}

TEST(EnemyRolls, TheLightningRollsSecondInEachFrameAndTheSameRunRepeats)
{
    ReplayOptions options;
    options.frameEnd = [](int frame) { StandAndRaise(frame, 3.0f); };
    ScenarioResult first = RunScenario("answer yes\nframes 1 ENTER\nframes 79\n", options, [] { randomState = 1; });
    ScenarioResult second = RunScenario("answer yes\nframes 1 ENTER\nframes 79\n", options, [] { randomState = 1; });
    ASSERT_EQ(first.frames().size(), second.frames().size());
    EXPECT_EQ(first.frames(), second.frames());
    // Each frame rolls the flash and then, while idle, the lightning.
    uint32_t saved = randomState;
    randomState = 1;
    int timer = 0;
    for (int frame = 1; frame <= 80; ++frame) {
        GameRand();
        timer += 1;
        if (timer > -100)
            timer = GameRand() % 100;
        if (timer == 50)
            timer = -600;
        EXPECT_EQ(first.frame(frame)["lightningTimer"], timer) << frame;
    }
    randomState = saved;
}

}  // namespace
