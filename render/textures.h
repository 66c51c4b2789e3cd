// The game's 13 textures and the random flash of light 1.
#pragma once

#include <cstdint>

extern uint32_t textures[13];

// Loads the 13 bitmap files and uploads them; 1 on success, 0 when any file fails.
int LoadTextures();

// One roll of the random flash; run once in every frame that draws the arena.
void FlashStep();
