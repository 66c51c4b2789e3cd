#include "game/enemy.h"
#include "game/game_state.h"
#include "game/player.h"
#include "platform/platform.h"
#include "render/sound_cues.h"
#include "render/textures.h"

static const double drawBackEdge = 19.3;
static const double driftBand = 15.0;
static const double burnRise = 0.02;
static const double flameCell = 0.125;

// One axis of the burning enemy's drift: a slide toward the world's + side inside the band,
// pushed back by drift/7 beyond 19.3 either way.
static void DriftAxis(float& stored, float& marker, float drift)
{
    if ((double)stored < -drawBackEdge)
        marker = 5.0f;
    if (marker == 5.0f)
        stored = (float)((double)stored + (double)drift / 7.0);
    if ((double)stored > drawBackEdge)
        marker = -5.0f;
    if (marker == -5.0f)
        stored = (float)((double)stored - (double)drift / 7.0);
    if (-driftBand < (double)stored && (double)stored < driftBand)
        marker = 0.0f;
    if (marker == 0.0f)
        stored = (float)((double)stored + (double)drift / 10.0 - 0.52);
}

// A burn catches one frame after the hit and kills after 200 burn frames; meanwhile the enemy
// rises, drifts and wears a flame of two crossed quads.
void BurningStep()
{
    if (game.burning != 1.0f)
        return;
    if (game.burnTimer < 200.0f)
        game.burnTimer = (float)((double)game.burnTimer + 1.0);
    if (game.burnTimer == 2.0f)
        PlayCue(ignitionCue);
    if (game.burnTimer == 200.0f) {
        game.enemyDying = 1;
        game.burning = 0.0f;
        PlayCue(deathCue);
    }
    game.enemyY = (float)((double)game.enemyY + burnRise);
    DriftAxis(game.enemyX, game.driftDirX, game.driftX);
    DriftAxis(game.enemyZ, game.driftDirZ, game.driftZ);

    ApplyCamera();
    glTranslatef(-game.enemyX, game.enemyY + 1.0f, -game.enemyZ);
    glBindTexture(GL_TEXTURE_2D, textures[flameTexture]);
    game.flameTick = (float)((double)game.flameTick + 1.0);
    if (game.flameTick == 3.0f) {
        game.flameFrame = (float)((double)game.flameFrame + flameCell);
        game.flameTick = 0.0f;
    }
    // Seven cells of the strip are shown; the eighth never is.
    if (game.flameFrame == 0.875f)
        game.flameFrame = 0.0f;
    float u = game.flameFrame;
    float next = (float)((double)u + flameCell);
    glBegin(GL_QUADS);
    glTexCoord2f(u, 0.0f);
    glVertex3f(-1.4f, -1.0f, 0.0f);
    glTexCoord2f(next, 0.0f);
    glVertex3f(1.4f, -1.0f, 0.0f);
    glTexCoord2f(next, 1.0f);
    glVertex3f(1.4f, 2.0f, 0.0f);
    glTexCoord2f(u, 1.0f);
    glVertex3f(-1.4f, 2.0f, 0.0f);

    glTexCoord2f(next, 0.0f);
    glVertex3f(0.0f, -1.0f, -1.4f);
    glTexCoord2f(next, 1.0f);
    glVertex3f(0.0f, 2.0f, -1.4f);
    glTexCoord2f(u, 1.0f);
    glVertex3f(0.0f, 2.0f, 1.4f);
    glTexCoord2f(u, 0.0f);
    glVertex3f(0.0f, -1.0f, 1.4f);
    glEnd();
}
