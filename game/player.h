// The player's input steps, run by the main loop after the buffer swap in this order:
// MouseLook, WalkStep, JumpTakeOff, CrouchStep, (casting), StandUpStep.
#pragma once

#include "platform/platform.h"

// The cursor position read by the last mouse look, in screen pixels.
extern POINT cursorPos;

void MouseLook();
void WalkStep();
void JumpTakeOff();
void CrouchStep();
void StandUpStep();
