#include "game/draw_frame.h"

#include "game/enemy.h"
#include "game/game_flow.h"
#include "game/game_state.h"
#include "game/hud.h"
#include "game/pickups.h"
#include "game/player.h"
#include "game/projectile.h"
#include "game/spells.h"
#include "platform/platform.h"
#include "render/render_state.h"
#include "render/scene_lists.h"

// The frame's steps run in a fixed order, and the game's behaviour depends on it: input read
// by the main loop after the last swap acts here; the world is only drawn once the title
// panel has moved out of the view.
int DrawFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    MenuInput();
    TitlePanel();
    if ((double)game.titleSlide >= -5.0)
        return 1;

    DrawHud();
    RegenerateHealth();
    FlashStep();

    // Camera: rotations, the body step, then the translation to the eye.
    ApplyCameraRotation();
    BodyStep();
    ApplyCameraTranslation();

    // Arena and the turning sky, blended over it.
    glColor3f(1.0f, 1.0f, 1.0f);
    glCallList(arenaList);
    game.skySpin += 1;
    glRotatef((float)game.skySpin, 0.0f, 1.0f, 0.0f);
    glEnable(GL_BLEND);
    glCallList(listBase);

    // The projectile flies between the camera's rotations and its translation.
    ApplyCameraRotation();
    ProjectileFlightStep();
    ApplyCameraTranslation();

    AutoSwitchSpell();
    ContactDamage();
    OutOfAmmoStep();
    ProjectileStep();
    EnemyEmergence();
    glLoadIdentity();
    EnemyDeathStep();
    EnemyStep();
    glDisable(GL_BLEND);
    LightningStep();

    // Pickups and flames glow on top of everything.
    glLoadIdentity();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    PickupStep();
    BurningStep();

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    return 1;
}
