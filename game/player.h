// The player's input steps, run by the main loop after the buffer swap in this order (its
// steps 6 to 11): MouseLook, WalkStep, JumpTakeOff, CrouchStep, (casting), StandUpStep.
#pragma once

#include "platform/platform.h"

// The cursor position read by the last mouse look, in screen pixels.
extern POINT& cursorPos;  // in gameSide

void MouseLook();
void WalkStep();
void JumpTakeOff();
void CrouchStep();
void StandUpStep();

// The body step of a frame that draws the world (within frame step 9): jump integration, then
// the clamp into the arena.
void BodyStep();

// Loads the camera of the player's eye into the model-view matrix.
void ApplyCamera();

// The camera's two rotations alone (pitch, then heading), on the identity.
void ApplyCameraRotation();

// The camera's translation to the eye, after its rotations.
void ApplyCameraTranslation();
