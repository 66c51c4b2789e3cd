// Small helpers for the driver's one-object-per-line JSON output.
#pragma once

#include <string>
#include <vector>

#include "game/game_state.h"

std::string JsonString(const std::string& text);
std::string JsonFloat(float value);

// Every field of the game state as `"name": value` pairs, joined by ", ".
std::string GameStateJson(const GameState& state);

// One frame's line as the driver dumps it: its number, whether it was drawn, the game state
// at its end and the sound cues its pass asked for.
std::string FrameDumpLine(int frame, bool drawn, const GameState& state,
                          const std::vector<std::string>& sounds);
