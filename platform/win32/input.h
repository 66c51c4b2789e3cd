// Windows only: the input the Windows build adds to the real API's, whether or not a session is
// recorded: a controller's keys (read once a frame, before the frame's messages) and its look,
// the left click heard as E, and a tap's release held back until a frame has seen its press.
// The platform header's wrappers (capture.cpp) make the game's calls through these.
#pragma once

#include <windows.h>

// PeekMessageA with the controller read when a frame is due and a tap's release held back.
BOOL TrimvaldInputPeek(LPMSG msg, HWND window, UINT first, UINT last, UINT remove);

// GetCursorPos with the controller's look since the last reading added.
BOOL TrimvaldInputCursor(LPPOINT point);

// Hands a message of the game's window to the game's procedure, the left click as E.
LRESULT TrimvaldInputMessage(WNDPROC game, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
