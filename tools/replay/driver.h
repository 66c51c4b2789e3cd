// Runs the game's GameMain under the layer's automation hooks, driven by a script.
#pragma once

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "tools/replay/script.h"

enum class DumpMode { None, Every, Last, Listed };

struct ReplayOptions {
    DumpMode dump = DumpMode::None;
    std::set<int> dumpFrames;
    std::map<int, std::string> shots;  // frame -> PNG path
    bool timing = false;
};

// Runs the whole game once, writing the JSON lines to `out`. Returns GameMain's result.
int RunReplay(const Script& script, const ReplayOptions& options, FILE* out);
