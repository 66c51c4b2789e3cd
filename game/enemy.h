// The enemy's steps in the frame, in this order within DrawFrame.
#pragma once

void ContactDamage();   // step 13
void EnemyEmergence();  // step 16
void EnemyDeathStep();  // step 17, on the identity: death swell, respawn and the score
void EnemyStep();       // step 18: placement, freeze, pursuit, spin, pulse and drawing
void LightningStep();   // step 20: timer, rolls, the beam and its hit test
void BurningStep();     // step 23: burn timers and cues, drift, the flame sprite
