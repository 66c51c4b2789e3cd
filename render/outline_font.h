// The outline font: one display list per Windows-1251 byte, drawn as extruded 3D glyphs.
#pragma once

#include <cstdint>

extern uint32_t fontBase;  // the first of the 256 glyph lists

// Deletes the 256 glyph lists.
void FreeOutlineFont();
