// The projection and the fixed render state.
#pragma once

// Sets the viewport and a 45-degree perspective for the client size; a zero height counts as 1.
void ResizeViewport(int width, int height);

// Prepares everything OpenGL needs before the first frame; returns 1 on success, 0 on failure.
int InitRenderState();
