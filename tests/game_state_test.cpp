// The game-state record: its start values, and the field table the replay driver dumps from.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "tests/scenario.h"

namespace {

std::size_t SizeOf(FieldKind kind)
{
    return kind == FieldKind::Byte ? 1 : 4;
}

// Every byte of the record belongs to a listed field or is padding before an aligned field:
// a field missing from the table leaves a gap that padding cannot explain.
TEST(GameStateFields, TheTableCoversTheWholeRecord)
{
    std::vector<GameStateField> fields(gameStateFields, gameStateFields + gameStateFieldCount);
    std::sort(fields.begin(), fields.end(),
              [](const GameStateField& a, const GameStateField& b) { return a.offset < b.offset; });
    std::set<std::string> names;
    std::size_t end = 0;
    for (const GameStateField& field : fields) {
        EXPECT_TRUE(names.insert(field.name).second) << "listed twice: " << field.name;
        std::size_t alignment = SizeOf(field.kind);
        std::size_t aligned = (end + alignment - 1) / alignment * alignment;
        EXPECT_EQ(field.offset, aligned) << "unlisted bytes before " << field.name;
        end = field.offset + SizeOf(field.kind) * (std::size_t)field.count;
    }
    EXPECT_EQ((end + alignof(GameState) - 1) / alignof(GameState) * alignof(GameState), sizeof(GameState));
}

TEST(GameStateFields, EveryFieldIsDumpedWithItsStartValue)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1\n");
    nlohmann::json frame = run.frame(1);
    ASSERT_FALSE(frame.is_null());
    for (int i = 0; i < gameStateFieldCount; ++i)
        EXPECT_TRUE(frame.contains(gameStateFields[i].name)) << gameStateFields[i].name;
    // A sample of start values, one of each kind; the values are printed to round-trip a float.
    EXPECT_EQ(frame["titleSlide"].get<float>(), (float)(-5.0f + 0.05));  // one step of the panel
    EXPECT_EQ(frame["choosingDifficulty"], 1);
    EXPECT_EQ(frame["difficulty"], 4.0);
    EXPECT_EQ(frame["moveSpeed"].get<float>(), 0.08f);
    EXPECT_EQ(frame["blastRadius"].get<float>(), 0.1f);
    EXPECT_EQ(frame["climbRate"].get<float>(), 0.02f);
    EXPECT_EQ(frame["ammo"], nlohmann::json::array({11.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(frame["freezeTimer"], 200);
    EXPECT_EQ(frame["enemyY"], -20.0);
    EXPECT_EQ(frame["enemyHealth"], 100.0);
    EXPECT_EQ(frame["jumpHeight"], 15.0);
    EXPECT_EQ(frame["playerZ"], 10.0);
    EXPECT_EQ(frame["projectileState"], 0);
    EXPECT_EQ(frame["pickupTimer"], nlohmann::json::array({0.0, 0.0, 0.0, 0.0}));
}

// A read the run cannot answer fails the test with what was asked, and gives a NaN.
TEST(GameStateFields, AnAbsentFrameOrFieldFailsTheReadWithWhatWasAsked)
{
    ScenarioResult run = RunScenario("answer yes\nframes 2\n");
    float value = 0.0f;
    EXPECT_NONFATAL_FAILURE(value = Field(run, 5, "enemyY"), "no frame 5 to read enemyY from: the run ended at frame 2");
    EXPECT_TRUE(std::isnan(value));
    EXPECT_NONFATAL_FAILURE(value = Field(run, 2, "enemyWhy"), "frame 2 has no field enemyWhy");
    EXPECT_TRUE(std::isnan(value));
    EXPECT_NONFATAL_FAILURE(value = Field(run, 2, "ammo"), "frame 2: ammo is not a number but [");
    EXPECT_TRUE(std::isnan(value));
    EXPECT_EQ(Field(run, 2, "enemyY"), run.frame(2)["enemyY"].get<float>());
}

}  // namespace
