#include <cmath>

#include "game/angles.h"
#include "game/enemy.h"
#include "game/game_random.h"
#include "game/game_state.h"
#include "platform/platform.h"
#include "render/sound_cues.h"
#include "render/textures.h"

// The hit test measures the player against the line dz = tan(spin + 90) * dx, not along the
// drawn beam, in a band that the term 5 / (playerZ - enemyZ) narrows or widens; with the two
// on the same z there is no band at all.
static bool LightningHitsPlayer()
{
    float dx = -game.playerX - game.enemyX;
    float p = (float)(std::tan(((double)game.enemySpin + 90.0) * degreesToRadians) * (double)dx);
    float dz = -game.playerZ - game.enemyZ;
    float divisor = game.playerZ - game.enemyZ;
    if (divisor == 0.0f)
        return false;
    double w = 5.0 / (double)divisor;
    double eye = (double)(game.eyeHeight + game.jumpHeight);
    return (double)dz - 0.4 + w < (double)p && (double)p < (double)dz + 0.4 - w && eye - 0.1 < (double)game.enemyY &&
           (double)game.enemyY < eye + 0.2;
}

// While idle a roll of 0 to 99 every frame; a 50 sends the beam out for 499 frames, and the
// rolls start again two frames after it goes.
void LightningStep()
{
    game.lightningTimer += 1;
    if (game.lightningTimer > -102)
        game.lightningActive = 0;
    if (game.lightningTimer > -100)
        game.lightningTimer = GameRand() % 100;
    if (game.lightningTimer == 50) {
        game.lightningActive = 1;
        game.lightningTimer = -600;
    }
    if (game.lightningActive != 1 || game.enemyEmerged != 1)
        return;

    // The beam, in the enemy's frame as its drawing left it: a strip 100 long through the centre.
    glBindTexture(GL_TEXTURE_2D, textures[lightningTexture]);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, 50.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(0.02f, 50.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(0.02f, -50.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(0.0f, -50.0f, 0.0f);
    glEnd();

    if (LightningHitsPlayer()) {
        game.health = (float)((double)game.health - 10.0);
        PlayCue(lightningCue);
    }
}
