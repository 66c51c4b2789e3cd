// The game's 13 textures, by fixed index:
//   0 pyramid, 1 floor, 2 sky (and spell 2, pickup 0), 3 walls, 4 text tint, 5 title panel,
//   6 enemy, 7 lightning, 8 spell 3 (pickup 1), 9 spell 1 (pickup 2), 10 spell 4 (pickup 3),
//   11 frozen enemy, 12 flames.
#pragma once

#include <cstdint>

extern uint32_t textures[13];

// Loads the 13 bitmap files in index order and uploads them with their mipmaps; 1 on success,
// 0 at the first file that fails (then no texture name is made).
int LoadTextures();
