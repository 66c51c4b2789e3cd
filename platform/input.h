// The game's input as both builds hand it over, whoever makes it (the keyboard's host, a
// controller, the mouse's button, a replay script, the recorder reading it back).
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/layer/winapi.h"
#endif

// The lParam of a key message that does not come from the keyboard itself: repeat count 1,
// and on a release the previous-state and transition bits, as Windows sets them.
inline LPARAM KeyChangeParam(bool down)
{
    return down ? (LPARAM)1 : (LPARAM)(1u | (3u << 30));
}

// The left mouse button casts, as this key does: a click to fire, as in every first-person
// game. The game's window procedure hears the click as the key.
const WPARAM clickKey = 'E';

// Where the game's mouse look puts the cursor back every frame (game/player.cpp), so where a
// host's cursor rests until the game moves it, and where a recording counts the look from.
const POINT cursorRest = {320, 240};
