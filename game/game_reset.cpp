#include "game/game_reset.h"

#include "game/game_side_state.h"
#include "game/game_state.h"

GameSideState gameSide;

void ResetGame()
{
    game = GameState();
    gameSide = GameSideState();
}
