#pragma once

#include "tools/assetgen/image.h"

// The game's emblem: a glowing ring with a band of twelve runes and an eight-pointed star of
// thin lines inside, as the title panel shows it behind the title texts. At scale 1 the outer
// ring has a radius of 86 pixels. Strokes are never drawn thinner than minStroke pixels, so
// that the emblem keeps its lines when it is drawn small; without runes the band between the
// rings stays empty (at icon sizes a rune would be a smudge of a pixel or two).
struct EmblemStyle {
    double scale = 1.0;
    double minStroke = 0.0;
    bool runes = true;
    double gain = 1.0;  // brightness of the lines and their glow
};

// Adds the emblem's light onto the picture around (cx, cy).
void PaintEmblem(Image& image, double cx, double cy, const EmblemStyle& style);
