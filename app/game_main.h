#pragma once

#include "platform/platform.h"

// Frame pacing: a frame lasts at least 2 x frameDelay milliseconds.
extern int& frameDelay;  // in the shell record

// The game's entry: the start prompt, the window, the main loop, the teardown.
int GameMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
