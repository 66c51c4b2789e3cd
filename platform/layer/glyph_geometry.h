// An outline font's glyphs as wglUseFontOutlinesA compiles them into display lists: for each
// character its metrics and the primitives its list draws, every normal and vertex in the order
// they are given to OpenGL. On Linux the geometry is made from the installed face (FreeType,
// fontconfig, GLU's tessellator) and compiled at once; the page reads the same geometry, made at
// build time, from its data (glyph_file.h) and compiles it with the same calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/layer/winapi.h"

// One normal and the vertices drawn with it (x, y, z each), in em units.
struct GlyphRun {
    float normal[3] = {0.0f, 0.0f, 0.0f};
    std::vector<float> vertices;
};

// What a glBegin and glEnd enclose.
struct GlyphPrimitive {
    uint32_t mode = 0;  // GL_TRIANGLES and its kin
    std::vector<GlyphRun> runs;
};

// One character's list: its primitives, then a move of the origin by gmfCellIncX.
struct GlyphShape {
    GLYPHMETRICSFLOAT metrics = {};
    std::vector<GlyphPrimitive> primitives;
};

// The font and the wglUseFontOutlinesA call the glyphs answer.
struct GlyphRequest {
    std::string face;     // CreateFontA's face name
    int32_t height = 0;
    int32_t weight = 0;
    bool italic = false;
    uint32_t charSet = 0;
    float deviation = 0.0f;
    float extrusion = 0.0f;
    int32_t format = 0;
    uint32_t first = 0;   // the character of the first glyph
};

struct GlyphSet {
    GlyphRequest request;
    std::vector<GlyphShape> glyphs;  // characters first, first + 1, ...
};

// The glyphs of the font selected into `dc` for the characters first to first + count - 1, made
// from the installed face as wglUseFontOutlinesA makes them; needs no GL context. False on a
// request wglUseFontOutlinesA refuses, or when the face or the tessellator cannot be had.
bool LayerGlyphGeometry(HDC dc, DWORD first, DWORD count, FLOAT deviation, FLOAT extrusion,
                        int format, GlyphSet& glyphs);

// Compiles glyph i into list listBase + i and stores its metrics in metrics[i] (when metrics is
// not null).
void LayerCompileGlyphLists(const GlyphSet& glyphs, DWORD listBase, LPGLYPHMETRICSFLOAT metrics);
