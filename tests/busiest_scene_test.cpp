// The benchmark's busiest scene is reached by playing; if the game changes, the script may stop
// reaching it and the benchmark would quietly time something lighter. This keeps it honest.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/scenario.h"

TEST(BusiestScene, EveryTimedFrameHasTheEnemyBurningAndStrikingABlastAndAllPickups)
{
    std::ifstream file(std::string(TRIMVALD_SOURCE_DIR) + "/scripts/busiest.replay");
    ASSERT_TRUE(file);
    std::stringstream text;
    text << file.rdbuf();
    const std::string marker = "# timed frames: ";
    std::size_t at = text.str().find(marker);
    ASSERT_NE(at, std::string::npos);
    std::string ranges = text.str().substr(at + marker.size());
    ranges = ranges.substr(0, ranges.find('\n'));

    ScenarioResult result = RunScenario(text.str());
    int timed = 0;
    std::stringstream list(ranges);
    std::string range;
    while (std::getline(list, range, ',')) {
        int first = std::stoi(range.substr(0, range.find('-')));
        int last = std::stoi(range.substr(range.find('-') + 1));
        for (int n = first; n <= last; ++n, ++timed) {
            nlohmann::json f = result.frame(n);
            ASSERT_FALSE(f.is_null()) << n;
            EXPECT_TRUE(f["drawn"].get<bool>() && f["gameRunning"] == 1 && f["health"] > 0) << n;
            EXPECT_EQ(f["enemyEmerged"], 1) << n;
            EXPECT_EQ(f["lightningActive"], 1) << n;
            EXPECT_EQ(f["burning"], 1.0) << n;
            EXPECT_EQ(f["exploding"], 1) << n;
            EXPECT_EQ(f["pickupTimer"], nlohmann::json({200, 200, 200, 200})) << n;
        }
    }
    EXPECT_GE(timed, 90);
}
