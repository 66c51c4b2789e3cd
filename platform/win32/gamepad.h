// Windows only: an XInput controller played as keys and mouse (gamepad_map.h). XInput is a
// system DLL loaded at run time, so that a Windows without it runs as ever, controller-less.
#pragma once

#include <windows.h>

// Reads the first connected controller (once a frame, before the frame's messages) and posts
// the keys it presses and lets go to the game's window; every key is let go while the window
// does not have the focus.
void TrimvaldGamepadPoll(HWND gameWindow);

// The look motion gathered since the last call, in cursor pixels, taken.
POINT TrimvaldGamepadTakeLook();
