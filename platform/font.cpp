// Fonts: CreateFontA finds the face through fontconfig; the glyph outlines come from FreeType.
#include "platform/layer.h"

void LayerFreeFont(LayerGdiObject*)
{
}
