// The projection, the fixed render state and the lights (light 1 is the random flash's, lit by
// the game).
#pragma once

#include "platform/platform.h"

extern const float light2Ambient[4];
extern const float light1Diffuse[4];
extern const float light1Position[4];

// Sets the viewport and a 45-degree perspective for the client size; a zero height counts as 1.
void ResizeViewport(int width, int height);

// Loads the textures, builds the scenery and the font (on the game window's device context
// `dc`), and sets the render state and lights; returns 1 on success, 0 when the textures cannot
// be loaded (nothing else is then set up).
int InitRenderState(HDC dc);

