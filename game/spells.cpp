#include "game/spells.h"

#include "game/game_input.h"
#include "game/game_state.h"
#include "platform/platform.h"
#include "render/sound_cues.h"

// 1 the loser's sphere, 2 the ball lightning (direct 5 x bounces + 4, blast 2 x bounces + 5,
// splash 5 x bounces + 0.5), 3 the ice ball, 4 the fireball. Each pickup wears its ball's texture.
const SpellEntry spellTable[4] = {
    // ball texture, HUD name, speed, direct, per bounce, blast, per bounce, splash, per bounce,
    // pickup texture, pickup charges
    {loserSphereTexture, "ЛУЗЕРСКАЯ СФЕРА", 0.5f, 10.0f, 0.0f, 10.0f, 0.0f, 15.0f, 0.0f,
     loserSphereTexture, 10.0f},
    {skyTexture, "ШАРОВАЯ МОЛНИЯ", 1.0f, 4.0f, 5.0f, 5.0f, 2.0f, 0.5f, 5.0f,
     skyTexture, 5.0f},
    {iceBallTexture, "ЛЕДЯНОЙ ШАР", 0.8f, 0.0f, 0.0f, 4.0f, 0.0f, 0.0f, 0.0f,
     iceBallTexture, 1.0f},
    {fireBallTexture, "ОГНЕННЫЙ ШАР", 1.5f, 0.7f, 0.0f, 8.0f, 0.0f, 0.7f, 0.0f,
     fireBallTexture, 1.0f},
};

int SpellSlot(float spell)
{
    if (spell == 1.0f)
        return 0;
    if (spell == 2.0f)
        return 1;
    if (spell == 3.0f)
        return 2;
    if (spell == 4.0f)
        return 3;
    return -1;
}

// No latch: with the key held, the next cast follows as soon as the projectile is idle again.
// It also works behind the title panel; the ball then waits there until the world runs.
void CastStep()
{
    if (!keys['E'] && !keys[VK_CONTROL])
        return;
    int slot = SpellSlot(game.selectedSpell);
    if (game.projectileState != 0 || slot < 0 || !(game.ammo[slot] > 0.0f))
        return;
    PlayCue(castCue);
    game.bounceCount = 0;
    // Launched 0.55 below the eye (the resting ball sits 0.1 below it).
    game.projectileX = -game.playerX;
    game.projectileZ = -game.playerZ;
    game.projectileY = (float)(0.55 - (double)(game.eyeHeight + game.jumpHeight));
    game.projectileHeading = game.yaw;
    game.projectilePitch = game.pitch;
    game.projectileState = 1;
    game.ammo[slot] = game.ammo[slot] - 1.0f;
}

// '1' to '4' in order; a key picks its spell only while that spell has charges, and with
// several down the last one wins. A ball in flight takes on the new spell from the next frame.
void SelectSpellStep()
{
    for (int slot = 0; slot < 4; ++slot)
        if (keys['1' + slot] && game.ammo[slot] > 0.0f)
            game.selectedSpell = (float)(slot + 1);
}

// An empty selection walks down 4, 3, 2, 1 and round to 4, once per frame, stopping at the
// first spell with charges; it waits while a ball flies or blasts.
void AutoSwitchSpell()
{
    if (game.selectedSpell == 4.0f && game.ammo[3] == 0.0f && game.projectileState == 0)
        game.selectedSpell = 3.0f;
    if (game.selectedSpell == 3.0f && game.ammo[2] == 0.0f && game.projectileState == 0)
        game.selectedSpell = 2.0f;
    if (game.selectedSpell == 2.0f && game.ammo[1] == 0.0f && game.projectileState == 0)
        game.selectedSpell = 1.0f;
    if (game.selectedSpell == 1.0f && game.ammo[0] == 0.0f && game.projectileState == 0)
        game.selectedSpell = 4.0f;
}

void OutOfAmmoStep()
{
    bool allEmpty = true;
    bool anyLeft = false;
    for (float charges : game.ammo) {
        if (!(charges < 1.0f))
            allEmpty = false;
        if (charges > 0.0f)
            anyLeft = true;
    }
    if (allEmpty)
        game.outOfAmmo = 1.0f;
    if (anyLeft)
        game.outOfAmmo = 0.0f;

    // An idle ball of an empty spell lies out of sight, 19 below the floor. It lies inside the
    // floor's bounds there, so it blasts, unseen and out of anyone's reach.
    for (int slot = 0; slot < 4; ++slot)
        if (game.ammo[slot] < 1.0f && game.selectedSpell == (float)(slot + 1) && game.projectileState == 0) {
            game.projectileX = 0.0f;
            game.projectileY = 20.0f;
            game.projectileZ = 0.0f;
        }
}
