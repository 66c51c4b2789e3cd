// The enemy's steps in the frame, in this order within DrawFrame.
#pragma once

void ContactDamage();   // step 12
void EnemyEmergence();  // step 15
void EnemyDeathStep();  // step 16, on the identity: death swell, respawn and the score
void EnemyStep();       // step 17: placement, freeze, pursuit, spin, pulse and drawing
void LightningStep();   // step 19: timer, rolls, the beam and its hit test
void BurningStep();     // step 22: burn timers and cues, drift, the flame sprite
