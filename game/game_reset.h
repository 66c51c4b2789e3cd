// The game's own state as at program start, for running the game again in one process.
#pragma once

// The game state and the state beside it (the keyboard, the random generator back at its first
// roll, mouse look's last reading), both by value.
void ResetGame();
