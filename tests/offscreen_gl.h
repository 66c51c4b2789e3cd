// Offscreen OpenGL contexts on Mesa through EGL, with no window and no display server: one of
// OpenGL ES 2.0 (for the browser's fixed-function layer) and one of desktop OpenGL (for the
// system's OpenGL 1.1 it is compared with), each drawing into its own framebuffer of the same
// size with a depth buffer.
#pragma once

#include <string>
#include <vector>

struct OffscreenGl;

// Null, with the reason, where EGL cannot make the context.
OffscreenGl* MakeOffscreenGl(bool desktop, int width, int height, std::string& why);
void UseOffscreenGl(OffscreenGl* context);
// What was drawn, as RGBA bytes, bottom row first.
std::vector<unsigned char> ReadOffscreenGl(OffscreenGl* context);
void FreeOffscreenGl(OffscreenGl* context);
