#include "game/game_reset.h"

#include "game/game_random.h"
#include "game/game_state.h"
#include "game/player.h"

void ResetGame()
{
    game = GameState();
    randomState = 1;
    cursorPos = POINT();
}
