// PNG pictures, written in one place for every tool that makes them: the replay driver's
// screenshots and the asset generator's icons.
#pragma once

#include <string>
#include <vector>

// Rows of 8-bit pixels, top row first, `channels` bytes a pixel (3: RGB, 4: RGBA), as a PNG
// file in memory, with no time stamp or other chunk that could change from run to run;
// `smallest` asks zlib for its best compression instead of its default. Empty if libpng fails
// or the pixels are fewer than the size says.
std::vector<unsigned char> EncodePng(int width, int height, int channels,
                                     const std::vector<unsigned char>& pixels, bool smallest);

// Writes tightly packed RGB rows, top row first, as a PNG file at zlib's default compression;
// false with a message on failure.
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string& error);
