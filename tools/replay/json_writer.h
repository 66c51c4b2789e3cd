// Small helpers for the driver's one-object-per-line JSON output.
#pragma once

#include <string>

#include "game/game_state.h"

std::string JsonString(const std::string& text);
std::string JsonFloat(float value);

// Every field of the game state as `"name": value` pairs, joined by ", ".
std::string GameStateJson(const GameState& state);
