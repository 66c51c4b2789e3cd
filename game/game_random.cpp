#include "game/game_random.h"

#include "game/game_side_state.h"

uint32_t& randomState = gameSide.randomState;

int GameRand()
{
    randomState = randomState * 214013u + 2531011u;
    return (int)((randomState >> 16) & 0x7FFF);
}
