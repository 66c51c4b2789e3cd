// The game reads its key table once a frame, so a key pressed and let go between two frames (an
// instant tap from a remote desktop, an on-screen keyboard, a key remapper) would never be seen
// held. Such a release waits, with everything queued behind it, until a frame has run since the
// press: the game sees the key held for that one frame. The message loops of both builds (the
// layer's queue, the Windows build's wrapper of PeekMessageA) ask here about every key message
// before they hand it to the game.
//
// The header names no Windows type, so that the Windows build's wrappers, which call the real
// API's names, can include it without the platform header.
#pragma once

// Whether the key message (WM_KEYDOWN or WM_KEYUP, and its virtual key) must wait for the next
// frame: the release of a key whose press was handed over since the last frame ran.
bool TapMustWait(unsigned message, unsigned long long key);

// The message was handed to the game.
void TapHandedOver(unsigned message, unsigned long long key);

// The queue was found empty: a frame runs now, and reads every press handed over before it.
void TapFrameRuns();

// No press waiting to be seen, as at program start.
void TapReset();
