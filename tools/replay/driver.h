// Runs the game's GameMain under the layer's automation hooks, driven by a script.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tools/replay/script.h"

enum class DumpMode { None, Every, Last, Listed };

struct ReplayOptions {
    DumpMode dump = DumpMode::None;
    std::set<int> dumpFrames;
    std::map<int, std::string> shots;  // frame -> PNG path
    bool timing = false;
    // With timing on, the inclusive ranges of frames whose passes are counted; none counts all.
    std::vector<std::pair<int, int>> timingFrames;
    // Called at the end of every frame's pass with its number, before it is dumped (tests use
    // it to change the game between frames, as damage would).
    std::function<void(int)> frameEnd;
};

// Runs the whole game once, writing the JSON lines to `out`. Returns GameMain's result.
int RunReplay(const Script& script, const ReplayOptions& options, FILE* out);
