#pragma once

#include "tools/assetgen/image.h"

// The game's emblem: a glowing ring with a band of twelve runes and an eight-pointed star of
// thin lines inside, as the title panel shows it behind the title texts. At scale 1 the outer
// ring has a radius of 86 pixels. Strokes are never drawn thinner than minStroke pixels, so
// that the emblem keeps its lines when it is drawn small. Drawn small, a rune is a smudge of a
// few pixels, so the band may hold a bright dot in each rune's place instead, or nothing.
enum class RuneBand { runes, dots, empty };

struct EmblemStyle {
    double scale = 1.0;
    double minStroke = 0.0;
    RuneBand band = RuneBand::runes;
    bool outerRing = true;  // the thin ring just outside the rune band
    bool innerRing = true;  // the ring inside the rune band, just round the star
    double gain = 1.0;      // brightness of the lines and their glow
};

// Adds the emblem's light onto the picture around (cx, cy).
void PaintEmblem(Image& image, double cx, double cy, const EmblemStyle& style);
