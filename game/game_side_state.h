// The game's state beside GameState: what the frame dumps do not show, but a game run again in
// one process must find as at program start all the same. Reset by value, with GameState, by
// ResetGame; a new variable of the game's belongs in one of the two records.
#pragma once

#include <cstdint>

#include "platform/platform.h"

struct GameSideState {
    unsigned char keys[256] = {};  // the keyboard (game/game_input.h)
    uint32_t randomState = 1;      // the random generator (game/game_random.h)
    POINT cursorPos = {};          // mouse look's last reading (game/player.h)
};

extern GameSideState gameSide;
