// The projection, the fixed render state and lights, and the random flash of light 1.
#pragma once

extern const float light2Ambient[4];
extern const float light1Diffuse[4];
extern const float light1Position[4];

// Sets the viewport and a 45-degree perspective for the client size; a zero height counts as 1.
void ResizeViewport(int width, int height);

// Loads the textures, builds the scenery and the font, and sets the render state and lights;
// returns 1 on success, 0 when the textures cannot be loaded (nothing else is then set up).
int InitRenderState();

// Frame step 8, one roll of the random flash: a roll of 50 in 140 lights light 1 for 19 drawn
// frames. Run once in every frame that draws the arena.
void FlashStep();
