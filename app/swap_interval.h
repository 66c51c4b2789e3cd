// Buffer swaps that wait for nothing: the game's speed is its frame rate, and a graphics driver
// that holds every swap until the monitor's next refresh would set it instead (60 frames a second
// on a 60 Hz monitor: the whole game at 60% speed).
#pragma once

// Asks the current rendering context for swap interval 0 where the driver offers
// WGL_EXT_swap_control; without the extension the swaps stay as the driver makes them.
void AskForUnsyncedSwaps();
