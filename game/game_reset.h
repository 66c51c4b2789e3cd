// The game's own state as at program start, for running the game again in one process.
#pragma once

// The game state, the random generator (back at its first roll) and mouse look's last reading.
void ResetGame();
