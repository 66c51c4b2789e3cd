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
#include "tools/script/json_writer.h"

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

// The first frame's dump shows every field at its start value, as the record is made; only the
// title panel has slid on by then.
TEST(GameStateFields, EveryFieldIsDumpedWithItsStartValue)
{
    ScenarioResult run = RunScenario("answer yes\nframes 1\n");
    nlohmann::json frame = run.frame(1);
    ASSERT_FALSE(frame.is_null());
    nlohmann::json start = nlohmann::json::parse("{" + GameStateJson(GameState()) + "}");
    for (int i = 0; i < gameStateFieldCount; ++i) {
        const char* name = gameStateFields[i].name;
        if (std::string(name) != "titleSlide") {
            EXPECT_EQ(frame[name], start[name]) << name;
        }
    }
    EXPECT_GT(frame["titleSlide"].get<float>(), start["titleSlide"].get<float>());
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
