// The projectile's steps in the frame, in this order within DrawFrame.
#pragma once

void ProjectileFlightStep();  // step 11, between the camera's rotations and its translation
void ProjectileStep();        // step 15: spell table, edges and bounces, hit, blast, drawing
