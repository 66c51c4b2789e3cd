// The keyboard as the game reads it. The window procedure writes it as key messages arrive; the
// game's steps and the main loop read it.
#pragma once

// 1 while the key with that Windows virtual-key code is down.
extern unsigned char (&keys)[256];  // in gameSide
