#include "render/bitmap_loader.h"

#include "platform/platform.h"

ImageRGB* LoadBitmapFile(const char*)
{
    return nullptr;  // TODO(bitmaps): the loader
}
