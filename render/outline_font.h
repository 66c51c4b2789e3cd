// The outline font: one display list per Windows-1251 byte, drawn as extruded 3D glyphs.
#pragma once

#include <cstdint>

#include "platform/platform.h"

extern uint32_t& fontBase;  // the first of the 256 glyph lists; in the renderer record

// The font the game asks for and how its glyphs are built: CreateFontA's height, weight, character
// set and face, wglUseFontOutlinesA's characters, deviation, extrusion and format. The glyph
// generator makes the page's glyphs for the same request.
struct OutlineFontRequest {
    int height;
    int weight;
    DWORD charSet;
    const char* face;
    DWORD first;
    DWORD count;
    FLOAT deviation;
    FLOAT extrusion;
    int format;
};
extern const OutlineFontRequest outlineFont;

// The game's font as CreateFontA makes it from the request.
HFONT CreateOutlineFont();

// Creates the font, selects it into the game window's device context `dc` (where it stays) and
// builds the glyph lists of the codes 0 to 254, extruded 0.09 along -z, 1 unit to the em; list
// 255 stays empty. Returns the result of the glyph generation, non-zero on success. Needs the
// window's GL context to be current.
int BuildOutlineFont(HDC dc);

// Deletes the 256 glyph lists.
void FreeOutlineFont();

// Draws the text made from a printf format and its arguments (at most 255 characters; the rest
// is cut off) from the current model-view origin, which is left at the end of the text. A null
// format draws nothing.
void PrintText(const char* format, ...) __attribute__((format(printf, 1, 2)));
