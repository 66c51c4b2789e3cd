#include "game/game_input.h"

#include "game/game_side_state.h"

unsigned char (&keys)[256] = gameSide.keys;
