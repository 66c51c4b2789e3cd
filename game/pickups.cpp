#include "game/pickups.h"

#include "game/game_state.h"
#include "game/player.h"
#include "game/spells.h"
#include "platform/platform.h"
#include "render/scene_lists.h"
#include "render/sound_cues.h"
#include "render/textures.h"

// One pickup in each corner, in drawing order. The stored x and z are negated like the enemy's;
// its texture and the charges it gives come from its spell's row of the spell table.
struct Pickup {
    float x, z;           // stored (negated) position
    int spell;            // 1 to 4
    double minX, maxX;    // open collection square, world coordinates
    double minZ, maxZ;
};

static const Pickup pickups[4] = {
    {19.0f, 19.0f, 2, -19.5, -18.5, -19.5, -18.5},
    {19.0f, -19.0f, 3, -19.5, -18.5, 18.5, 19.5},
    {-19.0f, -19.0f, 1, 18.5, 19.5, 18.5, 19.5},
    {-19.0f, 19.0f, 4, 18.5, 19.5, -19.5, -18.5},
};

static const SpellEntry& SpellOf(const Pickup& pickup)
{
    return spellTable[pickup.spell - 1];
}

// Collection goes by spell: the pickups of spells 1, 2, 3 and 4.
static const int collectionOrder[4] = {2, 0, 1, 3};

static const double pickupHeight = 0.4;
static const float present = 200.0f;
static const float afterCollection = -400.0f;
// An absent pickup is drawn far behind the arena, beyond the far clipping plane.
static const float awayZ = 190.0f;

static bool InsideSquare(const Pickup& pickup)
{
    double x = game.playerX;
    double z = game.playerZ;
    return pickup.minX < x && x < pickup.maxX && pickup.minZ < z && z < pickup.maxZ;
}

void PickupStep()
{
    for (int i = 0; i < 4; ++i) {
        game.pickupX[i] = pickups[i].x;
        game.pickupZ[i] = pickups[i].z;
        game.pickupY = (float)pickupHeight;
        glBindTexture(GL_TEXTURE_2D, textures[SpellOf(pickups[i]).pickupTexture]);
        for (int k = 0; k < 4; ++k)
            if (game.pickupTimer[k] < present)
                game.pickupZ[k] = awayZ;
        ApplyCamera();
        glTranslatef(-game.pickupX[i], game.pickupY, -game.pickupZ[i]);
        glRotatef((float)game.pickupSpin, 1.0f, 0.0f, 0.0f);
        glRotatef((float)game.pickupSpin, 0.0f, 1.0f, 0.0f);
        game.pickupSpin += 1;
        glCallList(pickupList);
    }

    // Counting up to 200 brings a pickup back; one cue however many are about to return.
    bool returning = false;
    for (int k = 0; k < 4; ++k) {
        if (game.pickupTimer[k] < present)
            game.pickupTimer[k] = (float)((double)game.pickupTimer[k] + 1.0);
        if (game.pickupTimer[k] == 199.0f)
            returning = true;
    }
    if (returning)
        PlayCue(respawnCue);

    // The cue sounds in a square whether or not there is anything to take.
    for (int i : collectionOrder) {
        const Pickup& pickup = pickups[i];
        if (!InsideSquare(pickup))
            continue;
        PlayCue(pickupCue);
        if (game.pickupTimer[i] == present) {
            float& charges = game.ammo[pickup.spell - 1];
            charges = (float)((double)charges + (double)SpellOf(pickup).pickupCharges);
            game.selectedSpell = (float)pickup.spell;
            game.pickupTimer[i] = afterCollection;
        }
    }
}
