// The mipmaps GLU builds: each level the one before halved with a box filter.
#pragma once

#include <vector>

// The image (width x height pixels of the given number of byte components, rows packed) halved
// in each dimension that is more than 1: each pixel the mean of the 2x2 block it covers, rounded
// to nearest, or along a line one pixel across, of the 2 pixels, rounded down.
std::vector<unsigned char> HalvedImage(const std::vector<unsigned char>& image, int width, int height,
                                       int components);
