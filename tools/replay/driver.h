// Runs the game's GameMain on the layer's scripted host, driven by a script.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tools/script/script.h"

enum class DumpMode { None, Every, Last, Listed };

struct ReplayOptions {
    DumpMode dump = DumpMode::None;
    std::set<int> dumpFrames;
    std::map<int, std::string> shots;  // frame -> PNG path
    bool timing = false;
    // Shown to a player: at the game's real pace, with sound, until the script ends or the
    // player stops it.
    bool watch = false;
    // With timing on, the inclusive ranges of frames whose passes are counted; none counts all.
    std::vector<std::pair<int, int>> timingFrames;
    // Called at the end of every frame's pass with its number, before it is dumped (tests use
    // it to change the game between frames, as damage would; --check to show how far it is).
    std::function<void(int)> frameEnd;
    // Called once the process is back at program start, before the game runs (tests use it to
    // change the state the game starts from).
    std::function<void()> beforeRun;
};

// Runs the whole game once from program start, writing the JSON lines to `out`. Returns
// GameMain's result.
int RunReplay(const Script& script, const ReplayOptions& options, FILE* out);

// The last frame's dump line of the last run with --dump last (empty when no frame ran).
const std::string& ReplayLastDump();

// Whether a screenshot of the last run could not be kept.
bool ReplayShotFailed();

// How the program keeps a frame's picture (the frame counted from 1, and the target its shot
// names; false when it could not be kept), read while the frame is in the back buffer before
// its swap: a PNG file on Linux (SavePngShot, tools/replay/png_shot.h), bytes handed to the page
// in the browser. Chosen by the program's entry; until then shots are not taken.
void ReplayTakeShotsWith(bool (*take)(int frame, const std::string& target));
