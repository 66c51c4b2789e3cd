// The title panel's texts as drawn: the score line only once something was killed, and the
// difficulty line from the choosing column before a game and from the other in a pause.
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>
#include <vector>

#include "game/game_state.h"
#include "tests/scenario.h"

namespace {

// The panel fully in (frame 110), shot to a PNG and read back.
Picture TitleShot(const std::string& script, const std::function<void()>& beforeRun)
{
    std::string path = ::testing::TempDir() + "title_" + std::to_string(getpid()) + ".png";
    ReplayOptions options;
    options.shots[110] = path;
    RunScenario(script, options, beforeRun);
    Picture picture = ReadShot(path);
    std::remove(path.c_str());
    return picture;
}

// Rows (top down) in which the two pictures differ clearly.
std::vector<unsigned> DifferingRows(const Picture& a, const Picture& b)
{
    std::vector<unsigned> rows;
    if (a.rgb.size() != b.rgb.size() || a.rgb.empty()) {
        ADD_FAILURE() << "pictures of different sizes";
        return rows;
    }
    for (int y = 0; y < a.height; ++y) {
        int changed = 0;
        for (std::size_t i = (std::size_t)y * a.width * 3; i < (std::size_t)(y + 1) * a.width * 3; ++i)
            changed += std::abs(a.rgb[i] - b.rgb[i]) > 40;
        if (changed > 6)
            rows.push_back(y);
    }
    return rows;
}

// With the 45-degree view, a text line at height y, 3 units away, has its baseline this many
// pixels from the top of a 600-pixel view.
unsigned BaselineRow(float y)
{
    return (unsigned)(300.0f - y / (3.0f * 0.41421356f) * 300.0f);
}

TEST(TitleTexts, TheScoreLineShowsOnlyAboveZero)
{
    const std::string script = "answer yes\nframes 110\n";
    Picture none = TitleShot(script, nullptr);
    Picture five = TitleShot(script, [] { game.score = 5.0f; });
    // A score not above zero draws no line at all (were it drawn, "-3" would differ from "0").
    Picture negative = TitleShot(script, [] { game.score = -3.0f; });
    EXPECT_TRUE(DifferingRows(none, negative).empty());
    std::vector<unsigned> rows = DifferingRows(none, five);
    ASSERT_FALSE(rows.empty()) << "the score line is missing";
    // The difference is the score line: just above its baseline at y = -0.8, nowhere else.
    unsigned baseline = BaselineRow(-0.8f);
    for (unsigned row : rows) {
        EXPECT_LE(row, baseline + 12) << row;
        EXPECT_GE(row + 60, baseline) << row;
    }
}

TEST(TitleTexts, TheDifficultyLineTakesItsColumnFromTheGameState)
{
    const std::string script = "answer yes\nframes 110\n";
    Picture choosing = TitleShot(script, nullptr);
    Picture paused = TitleShot(script, [] {
        game.choosingDifficulty = 0;
        game.health = 300.0f;
    });
    Picture otherLevel = TitleShot(script, [] { game.difficulty = 9.0f; });
    unsigned baseline = BaselineRow(-1.0f);
    for (const Picture* other : {&paused, &otherLevel}) {
        std::vector<unsigned> rows = DifferingRows(choosing, *other);
        ASSERT_FALSE(rows.empty());
        for (unsigned row : rows) {
            EXPECT_LE(row, baseline + 12) << row;
            EXPECT_GE(row + 60, baseline) << row;
        }
    }
}

}  // namespace
