#include "render/render_state.h"

#include "game/game_random.h"
#include "game/game_state.h"
#include "platform/platform.h"

void ResizeViewport(int width, int height)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, (double)width / (double)height, (double)0.1f, 150.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

int InitRenderState()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    return 1;
}

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
