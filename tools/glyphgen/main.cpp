// The glyph generator: the outline font's glyphs, made from the face installed on the build
// machine exactly as the Linux build makes them at run time (FreeType, fontconfig, GLU's
// tessellator), written as a glyph file for the page, which has none of those.
// Usage: trimvald-glyphgen OUTPUT
#include <cstdio>

#include "platform/layer/glyph_geometry.h"
#include "platform/platform.h"
#include "render/outline_font.h"
#include "tools/glyphgen/glyph_writer.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: trimvald-glyphgen OUTPUT\n");
        return 2;
    }
    HFONT font = CreateOutlineFont();
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, font);
    const OutlineFontRequest& r = outlineFont;
    GlyphSet glyphs;
    const bool made =
        LayerGlyphGeometry(dc, r.first, r.count, r.deviation, r.extrusion, r.format, glyphs);
    DeleteDC(dc);
    DeleteObject(font);
    if (!made) {
        std::fprintf(stderr, "trimvald-glyphgen: no face to build the glyphs of %s from\n", r.face);
        return 1;
    }
    const std::vector<unsigned char> bytes = GlyphFileBytes(glyphs);
    FILE* out = std::fopen(argv[1], "wb");
    const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (!out || std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "trimvald-glyphgen: cannot write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
