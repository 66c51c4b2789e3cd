#pragma once

#include <vector>

// An application icon: a square RGBA picture, rows top first, four bytes a pixel with
// straight (not premultiplied) alpha.
struct IconImage {
    int size = 0;
    std::vector<unsigned char> rgba;
};

// The game's emblem as an icon of size x size pixels, round, transparent around the disc.
// Each size is drawn for itself, so that the lines stay crisp in the small ones.
IconImage MakeIcon(int size);
