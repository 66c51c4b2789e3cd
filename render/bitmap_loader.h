// Windows bitmap files to RGB images.
#pragma once

#include <cstdint>

// Width, height and tightly packed RGB bytes, bottom row first. Both the record and its pixels
// are allocated with malloc; the caller frees the pixels, then the record.
struct ImageRGB {
    int32_t width;
    int32_t height;
    unsigned char* pixels;
};

// Loads a bitmap file; a file that cannot be opened gives nullptr quietly, any other failure
// shows the loader's message first.
ImageRGB* LoadBitmapFile(const char* name);

// Loads a bitmap file with or without its 14-byte file header, with a 12-byte core header or a
// 40-byte info header. Every failure, a file that cannot be opened included, is shown in a
// message box captioned "Error", and gives nullptr.
ImageRGB* LoadDibImage(const char* name);

// The number of colour-table entries a whole core or info header implies: an info header's
// colours used when not 0, else 2, 16 or 256 for 1, 4 or 8 bits per pixel, and 0 for any other
// depth.
uint16_t DibColorCount(const void* header);
