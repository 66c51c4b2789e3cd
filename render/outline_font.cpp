#include "render/outline_font.h"

#include "platform/platform.h"

uint32_t fontBase = 0;

void FreeOutlineFont()
{
    glDeleteLists(fontBase, 256);
}
