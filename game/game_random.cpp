#include "game/game_random.h"

uint32_t randomState = 1;

int GameRand()
{
    randomState = randomState * 214013u + 2531011u;
    return (int)((randomState >> 16) & 0x7FFF);
}
