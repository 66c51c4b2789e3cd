#pragma once

#include <vector>

// The game's sound cues, synthesised: samples at 22,050 Hz in -1..1, faded in and out so they
// start and stop without a click, and scaled to a common peak well below full scale.

std::vector<double> MakeClick();     // 1M: menu
std::vector<double> MakeWhoosh();    // 1F: a spell cast
std::vector<double> MakeThud();      // 2D: the enemy's touch
std::vector<double> MakeBoom();      // 1V: the enemy dies
std::vector<double> MakeIgnition();  // 1E: the enemy catches fire
std::vector<double> MakeBuzz();      // 1D: lightning strikes
std::vector<double> MakeChime();     // 1U: a pickup comes back
std::vector<double> MakeDing();      // 1A: a pickup is taken
