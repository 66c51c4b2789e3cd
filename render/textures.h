// The game's 13 textures, by fixed index: the order of their files, 1B to 1F.
#pragma once

#include <cstdint>

enum TextureName {
    pyramidTexture = 0,      // 1B: the pyramid in the middle
    floorTexture = 1,        // 1D: the floor
    skyTexture = 2,          // 1S: the sky, also the ball lightning (spell 2) and its pickup
    wallTexture = 3,         // 1L: the walls
    textTintTexture = 4,     // 1T: tints the title texts and the HUD
    titlePanelTexture = 5,   // 1P: the title panel
    enemyTexture = 6,        // 1E: the enemy
    lightningTexture = 7,    // 1R: the enemy's lightning
    iceBallTexture = 8,      // 2S: spell 3's ball and its pickup
    loserSphereTexture = 9,  // 3S: spell 1's ball and its pickup
    fireBallTexture = 10,    // 4S: spell 4's ball and its pickup
    frozenEnemyTexture = 11, // 2E: the frozen enemy
    flameTexture = 12,       // 1F: the burning enemy's flames
    textureCount = 13,
};

extern uint32_t (&textures)[textureCount];  // in the renderer record

// Loads the 13 bitmap files in index order and uploads them with their mipmaps; 1 on success,
// 0 at the first file that fails (then no texture name is made).
int LoadTextures();
