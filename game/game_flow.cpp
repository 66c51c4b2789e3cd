#include "game/game_flow.h"

#include "game/game_input.h"
#include "game/game_state.h"
#include "game/hud.h"
#include "platform/platform.h"
#include "render/sound_cues.h"
#include "render/textures.h"

// Starting health and enemy hit points by difficulty 1 to 10; levels 2 and 3, and 4 and 5,
// differ only in their names.
static const float startHealth[10] = {999, 800, 800, 600, 600, 400, 400, 100, 100, 50};
static const float enemyHitPoints[10] = {20, 50, 50, 100, 100, 100, 200, 300, 400, 500};

void MenuInput()
{
    if (game.health <= 0.0f)
        game.choosingDifficulty = 1;
    if (game.choosingDifficulty == 1) {
        // '1' to '9' then '0': when several are down the last tested wins, so '0' beats all.
        for (int digit = 1; digit <= 9; ++digit)
            if (keys['0' + digit])
                game.difficulty = (float)digit;
        if (keys['0'])
            game.difficulty = 10.0f;
    }
    if (!keys[VK_RETURN])
        game.enterHeld = 0;
    if (keys[VK_RETURN] && !game.enterHeld) {
        game.choosingDifficulty = 0;
        game.enterHeld = 1;
        PlayCue(menuCue);
        if (game.health <= 0.0f)
            NewGameReset();
        game.gameRunning = 1;
    }
}

static void PanelTriangleA()
{
    glBegin(GL_TRIANGLES);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-3.5f, 3.5f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-3.5f, -3.5f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(3.5f, -3.5f, 0.0f);
    glEnd();
}

static void PanelTriangleB()
{
    glBegin(GL_TRIANGLES);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(3.5f, 3.5f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-3.5f, 3.5f, 0.0f);
    // The last texture coordinate of the frame, (1, 0), tints the next frame's title texts.
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(3.5f, -3.5f, 0.0f);
    glEnd();
}

void TitlePanel()
{
    if (!game.gameRunning && (double)game.titleSlide < 0.01)
        game.titleSlide = (float)((double)game.titleSlide + 0.05);
    if (game.titleSlide > 0.0f)
        DrawTitleTexts();

    // The two halves of the panel square part along its diagonal: A to the left by
    // titleSlide, B to the right by 0.1 - titleSlide.
    glColor3f(1.0f, 1.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, -6.0f);
    glTranslatef(game.titleSlide, 0.0f, 0.0f);
    glBindTexture(GL_TEXTURE_2D, textures[titlePanelTexture]);
    PanelTriangleA();
    glTranslatef(0.1f, 0.0f, 0.0f);
    glTranslatef(-2.0f * game.titleSlide, 0.0f, 0.0f);
    PanelTriangleB();

    if (game.gameRunning && (double)game.titleSlide > -5.7)
        game.titleSlide = (float)((double)game.titleSlide - 0.05);
}

void NewGameReset()
{
    GameState start;
    game.choosingDifficulty = 0;
    game.gameRunning = 1;
    game.enterHeld = 1;
    game.score = 0.0f;

    game.playerX = start.playerX;
    game.playerZ = start.playerZ;
    game.eyeHeight = start.eyeHeight;
    game.jumpHeight = start.jumpHeight;
    game.jumpVelocity = start.jumpVelocity;
    game.moveSpeed = start.moveSpeed;

    game.selectedSpell = 1.0f;
    game.hudSpell = 1.0f;
    game.ammo[0] = 10.0f;
    game.ammo[1] = game.ammo[2] = game.ammo[3] = 0.0f;
    game.projectileX = game.projectileY = game.projectileZ = 0.0f;
    game.projectileHeading = 0.0f;
    game.projectilePitch = 0.0f;
    game.projectileState = 0;
    game.exploding = 0;
    game.blastRadius = start.blastRadius;
    game.projectileSpeed = start.projectileSpeed;
    game.bounceCount = 0;

    game.enemyX = game.enemyZ = 0.0f;
    game.enemyY = start.enemyY;
    game.enemyRadius = start.enemyRadius;
    game.enemyScaleY = start.enemyScaleY;
    game.pulseGrowing = 0;
    game.enemyEmerged = 0;
    game.enemyDying = 0;
    game.enemySpin = 0.0f;
    game.driftX = game.driftZ = 0.0f;
    game.driftDirX = game.driftDirZ = 0.0f;
    game.lightningActive = 0;
    game.lightningTimer = 0;
    for (float& timer : game.pickupTimer)
        timer = 0.0f;

    int level = (int)game.difficulty;
    if (level < 1)
        level = 1;
    if (level > 10)
        level = 10;
    game.health = startHealth[level - 1];
    game.enemyMaxHealth = enemyHitPoints[level - 1];
    game.enemyHealth = game.enemyMaxHealth;
}

// Run just before the HUD, so the health it prints is the one held at 0.
void GameOverStep()
{
    if (game.health <= 0.0f) {
        game.health = 0.0f;
        game.gameRunning = 0;
    }
}

void RegenerateHealth()
{
    game.regenTimer = (float)((double)game.regenTimer + 0.4);
    // At 100 or more the timer keeps growing, so the first point after a loss comes at once.
    if (game.regenTimer > 100.0f && game.health < 100.0f) {
        game.health = game.health + 1.0f;
        game.regenTimer = 0.0f;
    }
}
