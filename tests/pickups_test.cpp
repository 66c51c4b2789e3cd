// The corner pickups: their places and spin, the respawn count and its cue, collection in the
// open corner squares and the pickup cue.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "game/game_state.h"
#include "tests/scenario.h"

namespace {


// The pickups by index: world corner, the spell each refills and by how much.
struct Corner {
    float x, z;
    int spell;
    float charges;
};
const Corner corners[4] = {{-19, -19, 2, 5}, {-19, 19, 3, 1}, {19, 19, 1, 10}, {19, -19, 4, 1}};

float At(const nlohmann::json& frame, const char* field, int index)
{
    return frame[field][index].get<float>();
}

bool Inside(float x, float z, const Corner& corner)
{
    return std::fabs(x - corner.x) < 0.5f && std::fabs(z - corner.z) < 0.5f;
}

// The frame dumps by frame number (index 0 unused).
std::vector<nlohmann::json> ByFrame(const ScenarioResult& run)
{
    std::vector<nlohmann::json> frames(1);
    for (const auto& frame : run.frames()) {
        frames.resize(std::max<std::size_t>(frames.size(), frame["frame"].get<std::size_t>() + 1));
        frames[frame["frame"].get<std::size_t>()] = frame;
    }
    return frames;
}

void AllPresent()
{
    for (float& timer : game.pickupTimer)
        timer = 200.0f;
}

TEST(Pickups, StandStillBehindThePanel)
{
    ScenarioResult run = RunScenario("answer yes\nframes 30\n");
    std::vector<nlohmann::json> frames = ByFrame(run);
    nlohmann::json last = frames.at(30);
    EXPECT_EQ(last["pickupSpin"], 0);
    EXPECT_EQ(last["pickupTimer"], nlohmann::json::array({0.0, 0.0, 0.0, 0.0}));
    for (const auto& frame : run.frames())
        EXPECT_EQ(SoundCount(frame, respawnCue) + SoundCount(frame, pickupCue), 0);
}

TEST(Pickups, AbsentForTheFirst200FramesOfAGameWithOneRespawnCueInThe199th)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 219\n", ReplayOptions(),
                                     [] { game.difficulty = 1.0f; });
    std::vector<nlohmann::json> frames = ByFrame(run);
    for (int number = 1; number <= 220; ++number) {
        const nlohmann::json& frame = frames.at(number);
        ASSERT_FALSE(frame.is_null()) << number;
        // Four counters reach 199 together, and the cue sounds once.
        EXPECT_EQ(SoundCount(frame, respawnCue), number == 199 ? 1 : 0) << number;
        EXPECT_EQ(SoundCount(frame, pickupCue), 0) << number;
        EXPECT_EQ(frame["pickupY"].get<float>(), 0.4f) << number;
        EXPECT_EQ(frame["pickupSpin"], 4 * number) << "four pickups turn it by one each";
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(At(frame, "pickupX", i), -corners[i].x) << number;
            // Sent away while absent: the counter stands below 200 when it is drawn.
            float z = number <= 200 ? 190.0f : -corners[i].z;
            EXPECT_EQ(At(frame, "pickupZ", i), z) << number << " pickup " << i;
            float timer = number < 200 ? (float)number : 200.0f;
            EXPECT_EQ(At(frame, "pickupTimer", i), timer) << number << " pickup " << i;
        }
    }
}

TEST(Pickups, CollectedOnTheWayIntoACornerButNotPressedIntoIt)
{
    // Walking diagonally towards the corner of the ice spell's pickup (world -19, 19).
    ReplayOptions options;
    options.frameEnd = [](int frame) {
        if (frame == 1) {
            AllPresent();
            game.playerX = -17.0f;
            game.playerZ = 17.0f;
        }
    };
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 150 W\nframes 1\n", options, [] {
        game.difficulty = 1.0f;
        game.yaw = 135.0f;
    });
    std::vector<nlohmann::json> frames = ByFrame(run);
    std::vector<int> cueFrames;
    int collected = 0;
    for (int number = 2; number <= 152; ++number) {
        const nlohmann::json& frame = frames.at(number);
        if (SoundCount(frame, pickupCue))
            cueFrames.push_back(number);
        if (At(frame, "ammo", 2) != At(frames.at(number - 1), "ammo", 2)) {
            EXPECT_EQ(collected, 0) << "collected once only";
            collected = number;
        }
    }
    ASSERT_NE(collected, 0);
    ASSERT_GE(cueFrames.size(), 2u);
    EXPECT_EQ(cueFrames.front(), collected) << "collected as soon as the square is entered";
    for (std::size_t i = 1; i < cueFrames.size(); ++i)
        EXPECT_EQ(cueFrames[i], cueFrames[i - 1] + 1) << "one stay in the square";
    nlohmann::json taken = frames.at(collected);
    EXPECT_EQ(At(taken, "ammo", 2), 1.0f);
    EXPECT_EQ(taken["selectedSpell"], 3.0);
    EXPECT_EQ(At(taken, "pickupTimer", 1), -400.0f);
    // The frame sees the position walked to after the frame before; it lies in the open square,
    // the one before it did not.
    nlohmann::json before = frames.at(collected - 1);
    EXPECT_TRUE(Inside(before["playerX"], before["playerZ"], corners[1]));
    nlohmann::json outside = frames.at(collected - 2);
    EXPECT_FALSE(Inside(outside["playerX"], outside["playerZ"], corners[1]));
    // Pressed into the corner at the clamp the cue is silent.
    nlohmann::json last = frames.at(152);
    EXPECT_EQ(last["playerX"], -19.5);
    EXPECT_EQ(last["playerZ"], 19.5);
    EXPECT_LT(cueFrames.back(), 140) << "long pressed into the corner at the end";
    EXPECT_EQ(SoundCount(last, pickupCue), 0);
}

TEST(Pickups, TheCueSoundsInEveryFrameInASquareAndTheFirstCollectionComesInThe200th)
{
    // Standing in the fire spell's square (world 19, -19) from the start of a game.
    ReplayOptions options;
    options.frameEnd = [](int frame) {
        if (frame == 1) {
            game.playerX = 19.0f;
            game.playerZ = -19.0f;
        }
        game.health = 999.0f;  // the enemy may not end the game meanwhile
    };
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 259\n", options,
                                     [] { game.difficulty = 1.0f; });
    std::vector<nlohmann::json> frames = ByFrame(run);
    for (int number = 2; number <= 260; ++number) {
        const nlohmann::json& frame = frames.at(number);
        EXPECT_EQ(SoundCount(frame, pickupCue), 1) << number;
        EXPECT_EQ(At(frame, "ammo", 3), number < 200 ? 0.0f : 1.0f) << number;
    }
    // The respawn cue comes before the pickup cue of the same frame.
    nlohmann::json respawn = frames.at(199);
    std::vector<std::string> sounds = respawn["sounds"];
    ASSERT_EQ(SoundCount(respawn, respawnCue), 1);
    auto first = std::find(sounds.begin(), sounds.end(), respawnCue);
    EXPECT_LT(first - sounds.begin(), std::find(sounds.begin(), sounds.end(), pickupCue) - sounds.begin());
    // Collected the moment its counter reaches 200, a frame before it would have been drawn.
    nlohmann::json taken = frames.at(200);
    EXPECT_EQ(taken["selectedSpell"], 4.0);
    EXPECT_EQ(At(taken, "pickupTimer", 3), -400.0f);
    EXPECT_EQ(At(taken, "pickupZ", 3), 190.0f);
    nlohmann::json next = frames.at(201);
    EXPECT_EQ(At(next, "pickupZ", 3), 190.0f);
    EXPECT_EQ(At(next, "pickupZ", 0), 19.0f) << "the others are back";
}

TEST(Pickups, AbsentFor600FramesAfterACollectionAndChargesWithoutBound)
{
    // The loser's sphere pickup (world 19, 19) is taken in frame 2, and again as soon as it is
    // drawn once more.
    ReplayOptions options;
    options.frameEnd = [](int frame) {
        if (frame == 1) {
            AllPresent();
            game.ammo[0] = 1000.0f;
        }
        game.health = 999.0f;  // the enemy may not end the game meanwhile
        bool inside = frame == 1 || frame == 602;
        game.playerX = inside ? 19.0f : 0.0f;
        game.playerZ = inside ? 19.0f : 0.0f;
    };
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 604\n", options,
                                     [] { game.difficulty = 1.0f; });
    std::vector<nlohmann::json> frames = ByFrame(run);
    nlohmann::json taken = frames.at(2);
    EXPECT_EQ(At(taken, "ammo", 0), 1010.0f);
    EXPECT_EQ(At(taken, "pickupZ", 2), -19.0f) << "still drawn in the frame it is taken";
    for (int number = 3; number <= 602; ++number) {
        const nlohmann::json& frame = frames.at(number);
        EXPECT_EQ(At(frame, "pickupZ", 2), 190.0f) << number;
        EXPECT_EQ(SoundCount(frame, respawnCue), number == 601 ? 1 : 0) << number;
        EXPECT_EQ(At(frame, "ammo", 0), 1010.0f) << number;
    }
    nlohmann::json again = frames.at(603);
    EXPECT_EQ(At(again, "pickupZ", 2), -19.0f);
    EXPECT_EQ(At(again, "ammo", 0), 1020.0f) << "every collection adds its full amount";
    EXPECT_EQ(At(frames.at(604), "pickupZ", 2), 190.0f);
}

TEST(Pickups, EachCornerSquareIsOpenAndRefillsAndSelectsItsOwnSpell)
{
    // For each corner in turn: its four edges (not inside), the corner itself at the clamp
    // limit, then points just inside each edge; the pickup is taken at the first of these.
    struct Place {
        float x, z;
        bool inside;
    };
    static std::vector<Place> places;
    places.clear();
    for (const Corner& c : corners) {
        float sx = c.x > 0 ? 1.0f : -1.0f;
        float sz = c.z > 0 ? 1.0f : -1.0f;
        float innerX = c.x - 0.5f * sx, outerX = c.x + 0.5f * sx;
        float innerZ = c.z - 0.5f * sz, outerZ = c.z + 0.5f * sz;
        places.push_back({innerX, c.z, false});
        places.push_back({c.x, innerZ, false});
        places.push_back({outerX, c.z, false});
        places.push_back({c.x, outerZ, false});
        places.push_back({outerX, outerZ, false});
        places.push_back({c.x + 20.0f * sx, c.z, false});  // clamped back onto the wall
        places.push_back({std::nextafter(innerX, c.x), c.z, true});
        places.push_back({c.x, std::nextafter(innerZ, c.z), true});
        places.push_back({std::nextafter(outerX, c.x), std::nextafter(outerZ, c.z), true});
    }
    ReplayOptions options;
    options.frameEnd = [](int frame) {
        if (frame == 1)
            AllPresent();
        if (frame <= (int)places.size()) {
            game.playerX = places[frame - 1].x;
            game.playerZ = places[frame - 1].z;
        }
    };
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes " + std::to_string(places.size()) + "\n",
                                     options, [] { game.difficulty = 1.0f; });
    std::vector<nlohmann::json> frames = ByFrame(run);
    float ammo[4] = {10.0f, 0.0f, 0.0f, 0.0f};
    for (std::size_t p = 0; p < places.size(); ++p) {
        const nlohmann::json& frame = frames.at((int)p + 2);
        const Place& place = places[p];
        EXPECT_EQ(SoundCount(frame, pickupCue), place.inside ? 1 : 0)
            << "at " << place.x << ", " << place.z;
        const Corner& corner = corners[p / 9];
        if (p % 9 == 6) {
            ammo[corner.spell - 1] += corner.charges;
            EXPECT_EQ(frame["selectedSpell"].get<float>(), (float)corner.spell);
            EXPECT_EQ(At(frame, "pickupTimer", (int)(p / 9)), -400.0f);
        }
        for (int spell = 0; spell < 4; ++spell)
            EXPECT_EQ(At(frame, "ammo", spell), ammo[spell]) << "at " << place.x << ", " << place.z;
    }
}


// The arena seen from straight above its middle, the eye 60.5 above the floor plane's origin,
// with the pickups present or sent away; frame 5 is shot.
Picture FromAbove(bool present)
{
    std::string path = ::testing::TempDir() + "pickups_above_" + std::to_string(getpid()) + ".png";
    ReplayOptions options;
    options.shots[5] = path;
    static bool keepPresent;
    keepPresent = present;
    options.frameEnd = [](int) {
        for (float& timer : game.pickupTimer)
            timer = keepPresent ? 200.0f : 0.0f;
        game.playerX = game.playerZ = 0.0f;
        game.jumpHeight = 60.0f;
        game.jumpVelocity = 0.0f;
        game.yaw = 0.0f;
        game.pitch = 90.0f;
        game.health = 999.0f;
    };
    RunScenario("answer yes\nframes 1 ENTER\nframes 5\n", options);
    Picture picture = ReadShot(path);
    std::remove(path.c_str());
    return picture;
}

TEST(PickupPictures, DrawnOverTheirCornersWhilePresentAndNowhereWhileAway)
{
    Picture present = FromAbove(true);
    Picture away = FromAbove(false);
    ASSERT_EQ(present.rgb.size(), away.rgb.size());
    ASSERT_FALSE(present.rgb.empty());
    // Where each pickup's centre (world x, 0.4, world z) falls in the picture: 60.1 below the
    // eye, world x to the right and world z downwards, in the 45-degree view.
    const double focal = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
    double columns[4], rows[4];
    for (int i = 0; i < 4; ++i) {
        double aspect = (double)present.width / present.height;
        columns[i] = (1.0 + focal / aspect * corners[i].x / 60.1) / 2.0 * present.width;
        rows[i] = (1.0 + focal * corners[i].z / 60.1) / 2.0 * present.height;
    }
    // A sphere of radius 0.5 there is about 6 pixels across its radius on a 600-pixel view; the
    // dark starry ball of pickup 0 shows least.
    double reach = 0.5 * focal / 60.1 * present.height / 2.0 + 3.0;
    int near[4] = {0, 0, 0, 0};
    int stray = 0;
    for (int y = 0; y < present.height; ++y)
        for (int x = 0; x < present.width; ++x) {
            std::size_t at = ((std::size_t)y * present.width + x) * 3;
            int difference = 0;
            for (int c = 0; c < 3; ++c)
                difference = std::max(difference, std::abs(present.rgb[at + c] - away.rgb[at + c]));
            if (difference <= 24)
                continue;
            bool placed = false;
            for (int i = 0; i < 4; ++i)
                if (std::hypot(x + 0.5 - columns[i], y + 0.5 - rows[i]) <= reach) {
                    ++near[i];
                    placed = true;
                }
            stray += !placed;
        }
    for (int i = 0; i < 4; ++i)
        EXPECT_GT(near[i], 8) << "pickup " << i << " at " << columns[i] << ", " << rows[i];
    EXPECT_EQ(stray, 0);
}

}  // namespace
