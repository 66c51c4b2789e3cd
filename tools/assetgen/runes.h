#pragma once

#include <cstdint>

#include "tools/assetgen/layer.h"

// A rune of straight strokes on a small grid, like carved staves: a stem or two and a few
// branches. `height` is the rune's height in pixels; the width is about half of it. The same
// seed gives the same rune.
void DrawRune(Layer& layer, double centreX, double centreY, double height, double strokeWidth,
              uint32_t seed);
