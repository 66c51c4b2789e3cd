#include "game/game_input.h"

unsigned char keys[256];
