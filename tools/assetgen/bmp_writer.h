#pragma once

#include <string>

#include "tools/assetgen/image.h"

// Writes a 24-bit uncompressed Windows bitmap: a 14-byte file header, a 40-byte info header
// and bottom-up rows padded to 4 bytes. False if the file cannot be written.
bool WriteBmp(const std::string& path, const Image& image);
