// Casting and selecting spells, the automatic switch, running out of charges, and the ball's
// flight, bounces, hits and blasts, driven frame by frame through the replay driver.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "tests/scenario.h"

namespace {

float Ammo(const ScenarioResult& run, int frame, int spell)
{
    return run.frame(frame)["ammo"][spell - 1].get<float>();
}

int Casts(const nlohmann::json& frame)
{
    return SoundCount(frame, castCue);
}

int TotalCasts(const ScenarioResult& run)
{
    int casts = 0;
    for (const auto& frame : run.frames())
        casts += Casts(frame);
    return casts;
}

int FirstExploding(const ScenarioResult& run, int from)
{
    return FirstFrame(run, from, [](const nlohmann::json& f) { return f["exploding"] == 1; });
}

int FirstQuiet(const ScenarioResult& run, int from)
{
    return FirstFrame(run, from, [](const nlohmann::json& f) { return f["exploding"] == 0; });
}

// A game in progress with the panel out of the way: the player stands on the floor at (0, 10)
// with 600 health, looking along -z, and the enemy is kept far below the floor, out of play.
void Playing()
{
    game.choosingDifficulty = 0;
    game.gameRunning = 1;
    game.titleSlide = -5.7f;
    game.health = 600.0f;
    game.jumpHeight = 0.0f;
    game.enemyY = -1000.0f;
    game.enemyHealth = 1000.0f;
}

// The enemy held still at a spot for every frame, as if it stood and waited there; it has
// emerged, and can be hit, once the ball has bounced `emergedFromBounce` times.
struct PinnedEnemy {
    float x, y, z;  // stored values: negated world x and z, world height
    int emergedFromBounce = 0;
    bool lightningUntilHit = false;
    void operator()() const
    {
        game.enemyX = x;
        game.enemyY = y;
        game.enemyZ = z;
        game.enemyEmerged = game.bounceCount >= emergedFromBounce ? 1 : 0;
        game.enemyDying = 0;
        game.enemyRadius = 0.7f;
        game.enemyHealth = game.enemyHealth < 100.0f ? 1000.0f : game.enemyHealth;  // never dies
        game.lightningTimer = -300;  // no roll, no strike of its own
        if (lightningUntilHit && !game.exploding)
            game.lightningActive = 1;
    }
};

TEST(Casting, ACastSpendsOneChargeSoundsAndLaunchesAlongTheView)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1 E\nframes 1\nframes 1 CTRL\n", ReplayOptions(), [] {
        Playing();
        game.yaw = 30.0f;
        game.pitch = 350.0f;
        game.playerX = 2.0f;
        game.bounceCount = 3;
    });
    nlohmann::json cast = run.frame(1);
    EXPECT_EQ(Casts(cast), 1);
    EXPECT_EQ(cast["ammo"], nlohmann::json::array({10.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(cast["projectileState"], 1);
    EXPECT_EQ(cast["bounceCount"], 0);
    EXPECT_EQ(cast["projectileHeading"], 30.0);
    EXPECT_EQ(cast["projectilePitch"], 350.0);
    EXPECT_EQ(cast["projectileX"], -2.0);
    EXPECT_EQ(cast["projectileZ"], -10.0);
    EXPECT_NEAR(cast["projectileY"].get<float>(), 0.05f, 1e-6f) << "0.55 below the eye at 0.5";

    // In flight each axis steps by its own share of 0.4 (spell 1): x by sin, z by cos of the
    // heading, the height by sin of the pitch (upwards here), so the horizontal step is whole.
    float dx = Field(run, 2, "projectileX") - Field(run, 1, "projectileX");
    float dz = Field(run, 2, "projectileZ") - Field(run, 1, "projectileZ");
    float dy = Field(run, 2, "projectileY") - Field(run, 1, "projectileY");
    EXPECT_NEAR(dx, 0.2f, 1e-5f);
    EXPECT_NEAR(dz, 0.4f * std::cos(30.0f * 0.0174532925f), 1e-5f);
    EXPECT_NEAR(dy, -0.4f * std::sin(10.0f * 0.0174532925f), 1e-5f);
    EXPECT_EQ(Casts(run.frame(3)), 0) << "no second ball while one flies";
    EXPECT_EQ(Ammo(run, 3, 1), 10.0f);
}

TEST(Casting, OverTheWallTheBallReturnsAt40WithoutABlastAndAHeldKeyCastsAgainThere)
{
    // Straight up: the height reaches -40 (world 40) after 100 steps of 0.4, high above the
    // walls, so nothing stops it before.
    ScenarioResult run = RunScenario("answer yes\nframes 110 E\n", ReplayOptions(), [] {
        Playing();
        game.pitch = 270.0f;
    });
    EXPECT_EQ(FirstExploding(run, 1), 0);
    EXPECT_EQ(Casts(run.frame(1)), 1);
    int second = FirstFrame(run, 2, [](const nlohmann::json& f) { return Casts(f) > 0; });
    ASSERT_GT(second, 0);
    // The flight step of that very frame found the ball past -40 and brought it back, and the
    // cast of the same pass sent it off again.
    EXPECT_LT(Field(run, second - 1, "projectileY"), -40.0f);
    EXPECT_GT(Field(run, second - 2, "projectileY"), -40.0f);
    EXPECT_GT(Field(run, second - 1, "projectileZ"), 20.0f) << "it passed over the wall";
    EXPECT_NEAR(Field(run, second, "projectileY"), 0.05f, 1e-6f);
    EXPECT_EQ(run.frame(second)["projectileState"], 1);
    EXPECT_EQ(Ammo(run, second, 1), 9.0f);
    EXPECT_EQ(Field(run, 110, "health"), 600.0f);
}

TEST(Casting, BehindTheTitlePanelTheBallWaitsAndANewGameResetsIt)
{
    ScenarioResult run = RunScenario("answer yes\nframes 3 E\nframes 40\nframes 1 ENTER\n");
    EXPECT_EQ(run.frame(1)["drawn"], true);
    EXPECT_EQ(Casts(run.frame(1)), 1);
    EXPECT_EQ(TotalCasts(run), 1);
    EXPECT_EQ(Ammo(run, 1, 1), 10.0f) << "11 at program start, one spent";
    EXPECT_EQ(run.frame(43)["projectileState"], 1);
    EXPECT_EQ(run.frame(43)["projectileZ"], run.frame(1)["projectileZ"]) << "the world is not running";
    EXPECT_EQ(run.frame(44)["projectileState"], 0);
    EXPECT_EQ(run.frame(44)["ammo"], nlohmann::json::array({10.0, 0.0, 0.0, 0.0}));

    // In a pause the ball waits too, and flies on when the game resumes.
    ScenarioResult paused = RunScenario("answer yes\nframes 1 ESC\nframes 20\nframes 1 E\nframes 5\nframes 1 ENTER\nframes 30\n",
                                        ReplayOptions(), [] { Playing(); });
    int cast = 22;
    EXPECT_EQ(Casts(paused.frame(cast)), 1);
    EXPECT_EQ(paused.frame(cast + 5)["projectileZ"], paused.frame(cast)["projectileZ"]);
    EXPECT_EQ(paused.frame(cast + 6)["projectileState"], 1) << "resumed, not reset";
    int flying = FirstFrame(paused, cast + 6, [&](const nlohmann::json& f) {
        return f["projectileZ"] != paused.frame(cast)["projectileZ"];
    });
    EXPECT_GT(flying, 0);
    EXPECT_EQ(paused.frame(flying)["ammo"][0], 10.0);
}

TEST(SpellSelection, KeysPickSpellsWithChargesTheLastWinsAndTheHudNameFollowsAFrameLate)
{
    ScenarioResult run = RunScenario("answer yes\nframes 2\nframes 1 2 3\nframes 2\nframes 1 4\nframes 1 1 2\nframes 2\n",
                                     ReplayOptions(), [] {
                                         Playing();
                                         game.ammo[1] = 2.0f;
                                         game.ammo[2] = 2.0f;
                                     });
    EXPECT_EQ(Field(run, 2, "hudSpell"), 1.0f);
    EXPECT_EQ(Field(run, 3, "selectedSpell"), 3.0f) << "3 is tested after 2";
    EXPECT_EQ(Field(run, 3, "hudSpell"), 1.0f);
    EXPECT_EQ(Field(run, 4, "hudSpell"), 3.0f);
    EXPECT_EQ(Field(run, 6, "selectedSpell"), 3.0f) << "spell 4 has no charge";
    EXPECT_EQ(Field(run, 7, "selectedSpell"), 2.0f);
    EXPECT_EQ(Field(run, 7, "hudSpell"), 3.0f);
    EXPECT_EQ(Field(run, 8, "hudSpell"), 2.0f);
}

TEST(SpellSelection, ABallInFlightTakesOnTheNewSpell)
{
    // A loser's sphere is cast, then the fireball selected: the fireball's speed is set in the
    // frame after the selection and moves the ball from the frame after that.
    ScenarioResult run = RunScenario("answer yes\nframes 1 E\nframes 1 4\nframes 3\n", ReplayOptions(), [] {
        Playing();
        game.ammo[3] = 1.0f;
    });
    auto step = [&](int frame) { return Field(run, frame, "projectileZ") - Field(run, frame - 1, "projectileZ"); };
    EXPECT_NEAR(step(2), 0.4f, 1e-5f);
    EXPECT_NEAR(step(3), 0.4f, 1e-5f);
    EXPECT_EQ(Field(run, 3, "hudSpell"), 4.0f);
    EXPECT_EQ(Field(run, 3, "projectileSpeed"), 1.5f);
    EXPECT_NEAR(step(4), 1.2f, 1e-5f);
    EXPECT_EQ(Ammo(run, 5, 4), 1.0f) << "switching spends nothing";
}

struct BlastCase {
    float spell;
    int frames;        // the blast's length, counting the frame that ends it
    float playerLoss;  // per frame with the eye inside
    int framesInside;  // radius 0.1 x 1.2^n past the eye's distance, about 2.12: n from 17 on
};

TEST(Blast, EachSpellsBlastLastsItsFramesAndHurtsThePlayerInsideIt)
{
    // Cast straight down: the ball reaches the floor a little ahead and swells around the eye.
    for (BlastCase spell : {BlastCase{1.0f, 26, 3.0f, 10}, BlastCase{3.0f, 21, 0.0f, 0}, BlastCase{4.0f, 25, 0.14f, 9}}) {
        SCOPED_TRACE(spell.spell);
        ScenarioResult run = RunScenario("answer yes\nframes 1 E\nframes 40\n", ReplayOptions(), [&] {
            Playing();
            game.pitch = 90.0f;
            game.selectedSpell = spell.spell;
            game.ammo[(int)spell.spell - 1] = 3.0f;
        });
        int start = FirstExploding(run, 1);
        ASSERT_GT(start, 1);
        int end = FirstQuiet(run, start);
        EXPECT_EQ(end - start + 1, spell.frames);
        EXPECT_GT(Field(run, start, "projectileY"), 1.0f) << "under the floor";
        EXPECT_NEAR(Field(run, start, "blastRadius"), 0.12f, 1e-6f);
        EXPECT_NEAR(Field(run, end - 1, "blastRadius"), 0.1f * std::pow(1.2f, spell.frames - 1), 1e-3f);
        EXPECT_EQ(Field(run, end, "blastRadius"), 0.1f);
        EXPECT_EQ(run.frame(end)["projectileState"], 2);
        for (int frame = start; frame <= end; ++frame)
            EXPECT_EQ(run.frame(frame)["projectileZ"], run.frame(start)["projectileZ"]) << "the ball stands still";

        int inside = 0;
        for (int frame = 2; frame <= end + 5; ++frame) {
            float loss = Field(run, frame - 1, "health") - Field(run, frame, "health");
            if (loss == 0.0f)
                continue;
            EXPECT_GE(frame, start);
            EXPECT_LE(frame, end);
            EXPECT_NEAR(loss, spell.playerLoss, 1e-4f) << "frame " << frame;
            ++inside;
        }
        // Spells 1 and 4 meet the floor at the same spot, 1.2 ahead and 1.25 down; only the largest
        // radii reach the eye.
        EXPECT_EQ(inside, spell.framesInside);

        // The frame after the end brings the ball back, 0.1 below the eye.
        EXPECT_EQ(run.frame(end + 1)["projectileState"], 0);
        EXPECT_EQ(Field(run, end + 1, "projectileZ"), -10.0f);
        EXPECT_NEAR(Field(run, end + 1, "projectileY"), -0.4f, 1e-6f);
    }
}

TEST(Blast, TheBallLightningBouncesFourTimesBetweenTheWallsAndBlastsAtTheFifth)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1 E\nframes 300\n", ReplayOptions(), [] {
        Playing();
        game.selectedSpell = 2.0f;
        game.ammo[1] = 1.0f;
    });
    // (Standing in the wall band, the blast goes on counting bounces: only those before it.)
    std::vector<int> bounces;
    int blast = FirstExploding(run, 1);
    ASSERT_GT(blast, 0);
    for (int frame = 2; frame <= blast; ++frame)
        if (run.frame(frame)["bounceCount"] != run.frame(frame - 1)["bounceCount"])
            bounces.push_back(frame);
    ASSERT_EQ(bounces.size(), 5u) << "four counted, and the fifth resets the count";
    // 0.8 a frame: from world z 10 to the far wall band, then 40.8 across to the near one.
    EXPECT_EQ(bounces[0], 1 + 38);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(bounces[i] - bounces[i - 1], 51);
    EXPECT_EQ(Field(run, bounces[0], "projectileHeading"), -180.0f);
    EXPECT_EQ(Field(run, bounces[1], "projectileHeading"), 0.0f);
    EXPECT_EQ(run.frame(bounces[3])["bounceCount"], 4);
    EXPECT_EQ(Field(run, bounces[3], "maxBlastRadius"), 11.0f) << "grown by the third";
    EXPECT_EQ(Field(run, bounces[3], "directDamage"), 19.0f);

    int start = bounces[4];
    EXPECT_EQ(run.frame(start)["exploding"], 1);
    EXPECT_EQ(run.frame(start)["bounceCount"], 0);
    EXPECT_EQ(FirstQuiet(run, start) - start + 1, 22);
    EXPECT_EQ(Field(run, 301, "health"), 600.0f) << "far from the player";
}

TEST(Blast, TheBallLightningComesBackUpFromTheFloor)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1 E\nframes 6\n", ReplayOptions(), [] {
        Playing();
        game.pitch = 80.0f;
        game.selectedSpell = 2.0f;
        game.ammo[1] = 1.0f;
    });
    int bounce = FirstFrame(run, 2, [](const nlohmann::json& f) { return f["bounceCount"] == 1; });
    ASSERT_GT(bounce, 0);
    EXPECT_GT(Field(run, bounce, "projectileY"), 1.0f);
    EXPECT_EQ(Field(run, bounce, "projectilePitch"), -80.0f);
    EXPECT_LT(Field(run, bounce + 1, "projectileY"), Field(run, bounce, "projectileY"));
    EXPECT_EQ(FirstExploding(run, 1), 0);
}

TEST(Blast, AFireballStepsAcrossAWallBandAndReturnsFrom40)
{
    // From world z 10.1 the 1.2 steps pass 19.9 and then 21.1, skipping the band (20, 21).
    ScenarioResult across = RunScenario("answer yes\nframes 1 E\nframes 60\n", ReplayOptions(), [] {
        Playing();
        game.playerZ = 10.1f;
        game.selectedSpell = 4.0f;
        game.ammo[3] = 1.0f;
    });
    EXPECT_EQ(FirstExploding(across, 1), 0);
    int back = FirstFrame(across, 2, [](const nlohmann::json& f) { return f["projectileState"] == 0; });
    ASSERT_GT(back, 0);
    EXPECT_GE(Field(across, back - 1, "projectileZ"), 40.0f);
    EXPECT_NEAR(Field(across, back, "projectileZ"), -10.1f, 1e-6f);

    // From 9.9 a step lands at 20.1, inside the band: the wall stops it.
    ScenarioResult into = RunScenario("answer yes\nframes 1 E\nframes 30\n", ReplayOptions(), [] {
        Playing();
        game.playerZ = 9.9f;
        game.selectedSpell = 4.0f;
        game.ammo[3] = 1.0f;
    });
    int start = FirstExploding(into, 1);
    ASSERT_GT(start, 0);
    EXPECT_GT(Field(into, start, "projectileZ"), 20.0f);
    EXPECT_LT(Field(into, start, "projectileZ"), 21.0f);
}

struct HitCase {
    int bounces;
    int blastFrames;  // out to 2b + 5
};

TEST(DirectHit, TheBallLightningHitsHarderAndBlastsWiderAfterEachBounce)
{
    // The enemy waits half a unit beside the path at world z 0, at the ball's height, and can
    // only be hit once the ball has bounced b times (on its way back from the far wall).
    for (HitCase hit : {HitCase{0, 22}, HitCase{1, 24}, HitCase{2, 25}}) {
        SCOPED_TRACE(hit.bounces);
        ReplayOptions options;
        PinnedEnemy enemy{0.5f, -0.05f, 0.0f, hit.bounces, true};
        options.frameEnd = [enemy](int) { enemy(); };
        ScenarioResult run = RunScenario("answer yes\nframes 1 E\nframes 200\n", options, [&] {
            Playing();
            enemy();
            game.selectedSpell = 2.0f;
            game.ammo[1] = 1.0f;
        });
        int start = FirstExploding(run, 1);
        ASSERT_GT(start, 1);
        EXPECT_EQ(run.frame(start)["bounceCount"], hit.bounces);
        float b = (float)hit.bounces;
        EXPECT_EQ(Field(run, start - 1, "enemyHealth") - Field(run, start, "enemyHealth"), 5 * b + 4);
        EXPECT_EQ(run.frame(start - 1)["lightningActive"], 1);
        EXPECT_EQ(run.frame(start)["lightningActive"], 0) << "a hit cuts the strike off";
        int end = FirstQuiet(run, start);
        EXPECT_EQ(end - start + 1, hit.blastFrames);
        EXPECT_EQ(Field(run, end, "maxBlastRadius"), 2 * b + 5);
        // The ball stays within 0.8 of the centre: the direct damage comes again in every frame,
        // and once the blast covers the centre its splash of 5b + 0.5 comes on top.
        EXPECT_EQ(Field(run, end - 1, "enemyHealth") - Field(run, end, "enemyHealth"), 10 * b + 4.5f);
        EXPECT_EQ(Field(run, end, "health"), 600.0f) << "the player, 10 away, stays outside";
    }
}

TEST(DirectHit, NearThePlayerTheBallLightningsBlastCostsAFifthOfItsSplash)
{
    // b = 0 and b = 1: the enemy two units ahead, hit on the way out or on the way back.
    for (int bounces : {0, 1}) {
        SCOPED_TRACE(bounces);
        ReplayOptions options;
        PinnedEnemy enemy{0.3f, -0.05f, -8.0f, bounces};
        options.frameEnd = [enemy](int) { enemy(); };
        ScenarioResult run = RunScenario("answer yes\nframes 1 E\nframes 200\n", options, [&] {
            Playing();
            enemy();
            game.selectedSpell = 2.0f;
            game.ammo[1] = 1.0f;
        });
        int start = FirstExploding(run, 1);
        ASSERT_GT(start, 1);
        int end = FirstQuiet(run, start);
        float expected = (5.0f * bounces + 0.5f) / 5.0f;
        int inside = 0;
        for (int frame = start; frame <= end; ++frame) {
            float loss = Field(run, frame - 1, "health") - Field(run, frame, "health");
            if (loss != 0.0f) {
                EXPECT_NEAR(loss, expected, 1e-4f);
                ++inside;
            }
        }
        EXPECT_GT(inside, 0);
        EXPECT_NE(Field(run, end, "health"), Field(run, end - 1, "health")) << "the widest frame reaches the eye";
    }
}

TEST(DirectHit, IceFreezesAndFireIgnitesAnewInEveryBlastFrameByTheSpellSelectedAtTheHit)
{
    // A loser's sphere is cast; the ice or fire is selected on the way; the selection at the
    // hit decides.
    for (const char* key : {"3", "4"}) {
        SCOPED_TRACE(key);
        ReplayOptions options;
        PinnedEnemy enemy{0.0f, -0.05f, -5.0f};
        options.frameEnd = [enemy](int) { enemy(); };
        ScenarioResult run = RunScenario(std::string("answer yes\nframes 1 E\nframes 1 ") + key + "\nframes 40\n", options, [&] {
            Playing();
            enemy();
            game.ammo[2] = 1.0f;
            game.ammo[3] = 1.0f;
        });
        int start = FirstExploding(run, 1);
        ASSERT_GT(start, 3);
        int end = FirstQuiet(run, start);
        bool ice = key[0] == '3';
        EXPECT_EQ(end - start + 1, ice ? 21 : 25);
        for (int frame = start; frame <= end; ++frame) {
            nlohmann::json f = run.frame(frame);
            if (ice) {
                EXPECT_LE(f["freezeTimer"].get<int>(), 1) << frame;
                EXPECT_EQ(f["enemyHealth"], 1000.0) << "ice does no damage";
            } else {
                EXPECT_EQ(f["burning"], 1.0);
                EXPECT_LE(f["burnTimer"].get<float>(), 1.0f) << frame;
                float loss = Field(run, frame - 1, "enemyHealth") - Field(run, frame, "enemyHealth");
                EXPECT_TRUE(std::fabs(loss - 0.7f) < 1e-4f || std::fabs(loss - 1.4f) < 1e-4f) << frame << ": " << loss;
            }
        }
        if (!ice) {
            EXPECT_NEAR(Field(run, end - 1, "enemyHealth") - Field(run, end, "enemyHealth"), 1.4f, 1e-4f);
        }
        EXPECT_EQ(run.frame(start - 1)["freezeTimer"], 200);
        EXPECT_EQ(run.frame(start - 1)["burning"], 0.0);
    }
}

TEST(DirectHit, AnEnemyThatHasNotEmergedIsPassedThroughUnharmed)
{
    ReplayOptions options;
    PinnedEnemy enemy{0.0f, -0.05f, -5.0f, 99};  // never emerged
    options.frameEnd = [enemy](int) { enemy(); };
    ScenarioResult run = RunScenario("answer yes\nframes 1 E\nframes 90\n", options, [&] {
        Playing();
        enemy();
    });
    int start = FirstExploding(run, 1);
    ASSERT_GT(start, 0);
    EXPECT_GT(Field(run, start, "projectileZ"), 20.0f) << "only the far wall stops it";
    EXPECT_EQ(Field(run, 91, "enemyHealth"), 1000.0f);
    EXPECT_EQ(run.frame(91)["enemyEmerged"], 0);
}

TEST(Charges, CastingEveryChargeWalksTheSelectionDownAndParksTheBall)
{
    // One charge of each spell, fireball selected, cast straight up again and again.
    ScenarioResult run = RunScenario("answer yes\nframes 500 E\n", ReplayOptions(), [] {
        Playing();
        game.pitch = 270.0f;
        game.selectedSpell = 4.0f;
        for (float& charges : game.ammo)
            charges = 1.0f;
    });
    std::vector<float> walk{4.0f};
    for (const auto& frame : run.frames()) {
        float spell = frame["selectedSpell"].get<float>();
        if (spell != walk.back())
            walk.push_back(spell);
    }
    // The switch waits for the ball: the emptied fireball stays selected while it flies.
    EXPECT_EQ(Field(run, 2, "selectedSpell"), 4.0f);
    EXPECT_EQ(Ammo(run, 2, 4), 0.0f);
    EXPECT_EQ(run.frame(2)["projectileState"], 1);
    EXPECT_EQ(walk, (std::vector<float>{4.0f, 3.0f, 2.0f, 1.0f, 4.0f}));
    EXPECT_EQ(TotalCasts(run), 4);
    nlohmann::json last = run.frame(500);
    EXPECT_EQ(last["ammo"], nlohmann::json::array({0.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(last["outOfAmmo"], 1.0);
    EXPECT_EQ(last["selectedSpell"], 4.0);
    EXPECT_EQ(last["projectileState"], 0);
    EXPECT_EQ(last["projectileX"], 0.0);
    EXPECT_EQ(last["projectileY"], 20.0) << "19 below the floor";
    EXPECT_EQ(last["projectileZ"], 0.0);
    // The last charge goes with the fourth cast; the next frame finds every spell empty.
    int lastCast = 0;
    for (const auto& frame : run.frames())
        if (Casts(frame) > 0)
            lastCast = frame["frame"].get<int>();
    ASSERT_GT(lastCast, 0);
    EXPECT_EQ(run.frame(lastCast)["outOfAmmo"], 0.0);
    EXPECT_EQ(run.frame(lastCast + 1)["outOfAmmo"], 1.0);
    EXPECT_EQ(Field(run, 500, "health"), 600.0f) << "the hidden blasts are out of reach";
}

TEST(Charges, AWalkThatEndsOnAnEmptyFireballGoesOnInTheNextFrame)
{
    ScenarioResult run = RunScenario("answer yes\nframes 3\n", ReplayOptions(), [] {
        Playing();
        game.selectedSpell = 2.0f;
        game.ammo[0] = 0.0f;
        game.ammo[2] = 1.0f;
    });
    EXPECT_EQ(Field(run, 1, "selectedSpell"), 4.0f);  // 2 to 1 to 4 in one frame
    EXPECT_EQ(Field(run, 2, "selectedSpell"), 3.0f);
    EXPECT_EQ(Field(run, 3, "selectedSpell"), 3.0f);
}

TEST(Charges, AParkedBlastFollowsTheBallBackAndHurtsThePlayerByTheNewSpell)
{
    // Only the ball lightning has charges and the empty loser's sphere is selected: the first
    // frame ends on the empty fireball, parks the ball and sets off a hidden blast; the next
    // selects the ball lightning and the ball comes back with the blast still going.
    ScenarioResult run = RunScenario("answer yes\nframes 30\n", ReplayOptions(), [] {
        Playing();
        game.ammo[0] = 0.0f;
        game.ammo[1] = 4.0f;
    });
    nlohmann::json first = run.frame(1);
    EXPECT_EQ(first["selectedSpell"], 4.0);
    EXPECT_EQ(first["hudSpell"], 4.0);
    EXPECT_EQ(first["projectileY"], 20.0);
    EXPECT_EQ(first["exploding"], 1);
    nlohmann::json second = run.frame(2);
    EXPECT_EQ(second["selectedSpell"], 2.0);
    EXPECT_EQ(second["projectileZ"], -10.0);
    EXPECT_EQ(second["exploding"], 1);
    // The ball lightning's blast (b = 0) ends past radius 5, in its 22nd frame; the player
    // loses 0.5 / 5 in each frame from the second on.
    EXPECT_EQ(FirstQuiet(run, 1), 22);
    EXPECT_EQ(Field(run, 1, "health"), 600.0f);
    for (int frame = 2; frame <= 22; ++frame)
        EXPECT_NEAR(Field(run, frame - 1, "health") - Field(run, frame, "health"), 0.1f, 1e-4f) << frame;
    EXPECT_EQ(Field(run, 30, "health"), Field(run, 22, "health"));
    EXPECT_EQ(TotalCasts(run), 0);
}

TEST(Charges, ChargesThatComeBackDuringAHiddenBlastBringItBackToThePlayer)
{
    // Every charge is gone; at the end of frame 5 a pickup gives back loser's spheres and
    // selects them. The blast, running since frame 1, goes on at the player until its radius
    // passes 10 in its 26th frame, 3 health points a frame.
    ReplayOptions options;
    options.frameEnd = [](int frame) {
        if (frame == 5) {
            game.ammo[0] = 5.0f;
            game.selectedSpell = 1.0f;
        }
    };
    ScenarioResult run = RunScenario("answer yes\nframes 40\n", options, [] {
        Playing();
        game.selectedSpell = 4.0f;
        game.ammo[0] = 0.0f;
    });
    EXPECT_EQ(run.frame(1)["outOfAmmo"], 1.0);
    EXPECT_EQ(run.frame(1)["exploding"], 1);
    EXPECT_EQ(Field(run, 5, "health"), 600.0f);
    EXPECT_EQ(run.frame(6)["outOfAmmo"], 0.0);
    EXPECT_EQ(Field(run, 6, "projectileZ"), -10.0f);
    EXPECT_EQ(FirstQuiet(run, 1), 26);
    EXPECT_EQ(Field(run, 26, "health"), 600.0f - 21 * 3.0f);
    EXPECT_EQ(Field(run, 40, "health"), Field(run, 26, "health"));
}

}  // namespace

namespace {


// Where the shots go: the directory named by TRIMVALD_SPELL_SHOTS, or the test's temporary one.
std::string ShotPath(const std::string& name)
{
    const char* dir = std::getenv("TRIMVALD_SPELL_SHOTS");
    return (dir ? std::string(dir) + "/" : ::testing::TempDir() + std::to_string(getpid()) + "_") + name + ".png";
}

// What the ball adds to the picture, summed per colour, and the pixels it changes.
struct Added {
    double red = 0, green = 0, blue = 0;
    int pixels = 0;
};

Added Difference(const Picture& with, const Picture& without)
{
    Added added;
    if (with.rgb.size() != without.rgb.size() || with.rgb.empty()) {
        ADD_FAILURE() << "pictures of different sizes";
        return added;
    }
    // The HUD line along the bottom says whether a charge is left: it is left out.
    std::size_t hud = (std::size_t)with.width * 3 * (with.height - 80);
    for (std::size_t i = 0; i < hud; i += 3) {
        int r = with.rgb[i] - without.rgb[i], g = with.rgb[i + 1] - without.rgb[i + 1], b = with.rgb[i + 2] - without.rgb[i + 2];
        added.red += r;
        added.green += g;
        added.blue += b;
        added.pixels += std::abs(r) + std::abs(g) + std::abs(b) > 30;
    }
    return added;
}

}  // namespace

namespace {

struct ShotCase {
    float spell;
    const char* name;
};

// Each spell's ball in its last frame of flight and in its blast, cast 20 degrees down at the
// floor ahead (the ball lightning straight at the enemy waiting 3 ahead, since it would bounce
// off the floor), against the same frames with all charges gone, where the ball lies hidden
// under the floor.
TEST(SpellPictures, EachBallAndItsBlastWearTheSpellsTexture)
{
    for (ShotCase spell : {ShotCase{1.0f, "loser"}, ShotCase{2.0f, "lightning"}, ShotCase{3.0f, "ice"}, ShotCase{4.0f, "fire"}}) {
        SCOPED_TRACE(spell.name);
        bool lightning = spell.spell == 2.0f;
        PinnedEnemy enemy{0.0f, -0.05f, -7.0f};
        auto setUp = [=](bool charged) {
            return [=] {
                Playing();
                if (lightning)
                    enemy();
                game.pitch = lightning ? 0.0f : 20.0f;
                game.selectedSpell = spell.spell;
                for (float& charges : game.ammo)
                    charges = 0.0f;
                game.ammo[(int)spell.spell - 1] = charged ? 1.0f : 0.0f;
            };
        };
        ReplayOptions options;
        if (lightning)
            options.frameEnd = [enemy](int) { enemy(); };
        ReplayOptions empty = options;
        const std::string script = "answer yes\nframes 1 E\nframes 24\n";
        int start = FirstExploding(RunScenario(script, options, setUp(true)), 2);
        ASSERT_GT(start, 2);
        int flight = start - 1;
        int blast = start + 12;
        options.shots[flight] = ShotPath(std::string(spell.name) + "_flight");
        options.shots[blast] = ShotPath(std::string(spell.name) + "_blast");
        empty.shots[flight] = ShotPath(std::string(spell.name) + "_flight_none");
        empty.shots[blast] = ShotPath(std::string(spell.name) + "_blast_none");
        RunScenario(script, options, setUp(true));
        RunScenario(script, empty, setUp(false));
        Added ball = Difference(ReadShot(options.shots[flight]), ReadShot(empty.shots[flight]));
        Added swell = Difference(ReadShot(options.shots[blast]), ReadShot(empty.shots[blast]));
        EXPECT_GT(ball.pixels, 50) << "the ball in flight shows (the ball lightning's black only faintly)";
        EXPECT_GT(swell.pixels, 20000) << "the blast swells over a good part of the view";
        // The balls glow in their spell's colours: the murky green sphere, the icy blue ball,
        // the orange fireball (the ball lightning's stars and nebula take on what lies behind).
        if (spell.spell == 1.0f) {
            EXPECT_GT(ball.green, ball.red);
            EXPECT_GT(ball.red, ball.blue);
            EXPECT_GT(swell.green, swell.red);
        }
        if (spell.spell == 3.0f) {
            EXPECT_GT(ball.blue, ball.red);
            EXPECT_GT(swell.blue, swell.green);
            EXPECT_GT(swell.green, swell.red);
        }
        if (spell.spell == 4.0f) {
            EXPECT_GT(ball.red, ball.green);
            EXPECT_GT(ball.green, ball.blue);
            EXPECT_GT(swell.red, swell.green);
        }
        if (!std::getenv("TRIMVALD_SPELL_SHOTS"))
            for (const auto* shots : {&options.shots, &empty.shots})
                for (const auto& shot : *shots)
                    std::remove(shot.second.c_str());
    }
}

}  // namespace
