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
