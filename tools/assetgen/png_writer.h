#pragma once

#include <vector>

#include "tools/assetgen/icons.h"

// The icon as an 8-bit RGBA PNG file in memory, with no time stamp or other chunk that could
// change from run to run. Empty if libpng fails.
std::vector<unsigned char> EncodePng(const IconImage& icon);
