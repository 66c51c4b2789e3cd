// The spells: their table, casting and selection (main-loop input steps), the automatic switch
// and running out of charges (frame steps). The projectile's own steps are in projectile.h.
#pragma once

#include "render/textures.h"

// One spell's row of the spell table. The direct damage, the largest blast radius and the
// splash damage grow with the ball's bounces: each is base + perBounce x bounces, evaluated in
// double and rounded once to float; only the ball lightning has a non-zero perBounce.
struct SpellEntry {
    TextureName ballTexture;
    const char* hudName;  // the HUD's name of the spell
    float speed;
    float directDamage, directPerBounce;
    float maxBlastRadius, blastPerBounce;
    float splashDamage, splashPerBounce;
    TextureName pickupTexture;  // the spell's corner pickup
    float pickupCharges;        // the charges that pickup gives
};

// Spells 1 to 4, by the index SpellSlot gives.
extern const SpellEntry spellTable[4];

// Main-loop input steps, after the swap.
void CastStep();         // main-loop step 10: E or Ctrl casts the selected spell
void SelectSpellStep();  // main-loop step 12: 1 to 4 select a spell

// Frame steps, in this order within DrawFrame.
void AutoSwitchSpell();  // step 12
void OutOfAmmoStep();    // step 14: the out-of-ammo flag and the parked ball

// Index 0 to 3 into the charges of a spell 1.0 to 4.0, or -1 for any other value.
int SpellSlot(float spell);
