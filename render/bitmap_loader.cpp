// The game's entry to bitmap loading: a quiet check that the file opens, then the DIB loader.
#include "render/bitmap_loader.h"

#include <cstdio>

ImageRGB* LoadBitmapFile(const char* name)
{
    if (!name)
        return nullptr;
    FILE* file = std::fopen(name, "r");
    if (!file)
        return nullptr;
    std::fclose(file);
    return LoadDibImage(name);
}
