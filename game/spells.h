// Spells and their projectile: casting and selection (main-loop input steps) and the
// projectile's steps in the frame.
#pragma once

// Main-loop input steps, after the swap.
void CastStep();         // E or Ctrl casts the selected spell
void SelectSpellStep();  // 1 to 4 select a spell

// Frame steps, in this order within DrawFrame.
void ProjectileFlightStep();  // step 10, between the camera's rotations and its translation
void AutoSwitchSpell();       // step 11
void OutOfAmmoStep();         // step 13
void ProjectileStep();        // step 14: spell table, edges and bounces, hit, blast, drawing

// Index 0 to 3 into the charges of a spell 1.0 to 4.0, or -1 for any other value.
int SpellSlot(float spell);
