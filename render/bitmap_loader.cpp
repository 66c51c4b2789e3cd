// The game's entry to bitmap loading: a quiet check that the file is there, then the DIB
// loader.
#include "render/bitmap_loader.h"

#include "platform/platform.h"

ImageRGB* LoadBitmapFile(const char* name)
{
    if (!name)
        return nullptr;
    // A missing file ends loading without a word. The check never opens the file: opening a
    // named pipe put in a texture's place would wait for ever. Whatever is there but is no
    // file the loader can open (a pipe, a folder, a device) is refused by the loader, with
    // its own message.
    if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES)
        return nullptr;
    return LoadDibImage(name);
}
