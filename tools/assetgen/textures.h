#pragma once

#include "tools/assetgen/image.h"

// The game's textures, one maker per family. Each returns the finished picture, row 0 at
// the top (the bottom row is texture coordinate t = 0).

Image MakeFloor();          // 1D: stone flags, repeated 10 x 10 across the arena floor
Image MakeWalls();          // 1L: the glowing energy band of the walls, repeated 40 x 4
Image MakePyramid();        // 1B: golden runes on black for the glowing pyramid
Image MakeSky();            // 1S: stars and nebula for the sky sphere and the ball lightning
Image MakeTextTint();       // 1T: white to gold tint of every text
Image MakeTitlePanel();     // 1P: the emblem behind the title texts
Image MakeEnemy(bool frozen);  // 1E / 2E: the enemy's fiery eye skin, or frozen over
Image MakeLightning();      // 1R: the lightning strip, the bolt running along t
Image MakeMurkBall();       // 3S: murky green swirl
Image MakeIceBall();        // 2S: icy blue swirl
Image MakeFireBall();       // 4S: orange-yellow fire
Image MakeFlames();         // 1F: eight flame cells side by side, base at the bottom
