#pragma once

#include <vector>

#include "tools/assetgen/icons.h"

// A Windows icon file in memory holding the given pictures (sizes 1 to 256). The 256 one is
// stored as a PNG, as Windows Vista and later read it; the smaller ones as 32-bit DIBs with
// their alpha and a matching AND mask, which every version of Windows reads. Empty if a
// picture does not fit in an icon or cannot be encoded.
std::vector<unsigned char> EncodeIco(const std::vector<IconImage>& icons);
