#include "game/flash.h"

#include "game/game_random.h"
#include "game/game_state.h"
#include "platform/platform.h"

void FlashStep()
{
    float roll = (float)(GameRand() % 140);
    if (roll == 50.0f) {
        glEnable(GL_LIGHT1);
        game.flashOn = 1;
    }
    if (game.flashOn)
        game.flashTimer = game.flashTimer + 1.0f;
    if (game.flashTimer == 20.0f) {
        glDisable(GL_LIGHT1);
        game.flashTimer = 0.0f;
        game.flashOn = 0;
    }
}
