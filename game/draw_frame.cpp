#include "game/draw_frame.h"

#include "game/enemy.h"
#include "game/flash.h"
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
//
// The frame takes its random rolls from the one sequence in this order: the flash (step 8),
// the respawn's drift (step 17, only in a frame with a respawn), the lightning (step 20).
// Moving a step that rolls, or adding a roll, changes every later roll of the game.
int DrawFrame()
{
    // 1. Clear, 2. the identity.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    // 3. Digits and Enter.
    MenuInput();
    // 4. The title panel; while it covers the view the frame ends here.
    TitlePanel();
    if ((double)game.titleSlide >= -5.0)
        return 1;

    // 5. The game-over test, 6. the HUD, 7. regeneration, 8. the flash's roll.
    GameOverStep();
    DrawHud();
    RegenerateHealth();
    FlashStep();

    // 9. Camera: rotations, the body step, then the translation to the eye.
    ApplyCameraRotation();
    BodyStep();
    ApplyCameraTranslation();

    // 10. Arena and the turning sky, blended over it.
    glColor3f(1.0f, 1.0f, 1.0f);
    glCallList(arenaList);
    game.skySpin += 1;
    glRotatef((float)game.skySpin, 0.0f, 1.0f, 0.0f);
    glEnable(GL_BLEND);
    glCallList(listBase);

    // 11. The projectile flies between the camera's rotations and its translation.
    ApplyCameraRotation();
    ProjectileFlightStep();
    ApplyCameraTranslation();

    // 12. The automatic spell switch, 13. contact damage, 14. out of ammo, 15. the projectile,
    // 16. the enemy's emergence.
    AutoSwitchSpell();
    ContactDamage();
    OutOfAmmoStep();
    ProjectileStep();
    EnemyEmergence();
    // 17. On the identity: the enemy's death and respawn (the respawn's rolls).
    glLoadIdentity();
    EnemyDeathStep();
    // 18. The enemy, 19. blending off, 20. the lightning and its roll.
    EnemyStep();
    glDisable(GL_BLEND);
    LightningStep();

    // 21. Pickups and flames glow on top of everything. The identity is loaded twice in a row,
    // as the game always has: the second changes nothing and is kept so the calls stay the same.
    glLoadIdentity();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    // 22. The pickups, 23. the flames.
    PickupStep();
    BurningStep();

    // 24. Depth test back on, blending off for the next frame.
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    return 1;
}
