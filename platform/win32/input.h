// Windows only: the input the Windows build adds to the real API's, whether or not a session is
// recorded: the player's controls (keys by their place or their layout through the bindings,
// mouse buttons heard as keys, the mouse's sensitivity and inversion), a controller's keys (read
// once a frame, before the frame's messages) and its look, and a tap's release held back until
// a frame has seen its press.
// The platform header's wrappers (capture.cpp) make the game's calls through these.
#pragma once

#include <windows.h>

// PeekMessageA with the controller read when a frame is due, keys and buttons through the
// bindings, and a tap's release held back.
BOOL TrimvaldInputPeek(LPMSG msg, HWND window, UINT first, UINT last, UINT remove);

// GetCursorPos with the mouse's motion by the player's settings and the controller's look since
// the last reading added.
BOOL TrimvaldInputCursor(LPPOINT point);

// Hands a message of the game's window to the game's procedure.
LRESULT TrimvaldInputMessage(WNDPROC game, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
