// The page's fonts: it has no installed faces, FreeType or tessellator, so CreateFontA only keeps
// what was asked for, and wglUseFontOutlinesA compiles the glyphs the glyph generator made at
// build time from the desktop's face (glyph_file.h), read from the page's data. A request the
// file does not answer (another face, size, weight, deviation, extrusion or range) is refused,
// as Windows refuses a font it cannot outline: the game then says it has no font.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/layer/glyph_file.h"
#include "platform/layer/layer.h"

// Where the page's data holds the glyph file.
static const char glyphFilePath[] = "Data/Glyphs.bin";

HFONT WINAPI CreateFontA(int height, int, int, int, int weight, DWORD italic, DWORD, DWORD,
                         DWORD charSet, DWORD, DWORD, DWORD, DWORD, LPCSTR faceName)
{
    return LayerNewFont(height, weight, italic != 0, charSet, faceName);
}

void LayerFreeFont(LayerGdiObject*)
{
}

// The file read once; false (said once on stderr) when it cannot be read or is damaged.
static bool StoredGlyphs(const GlyphSet*& glyphs)
{
    static GlyphSet stored;
    static int state = 0;  // 0 not read yet, 1 read, -1 unusable
    if (state == 0) {
        state = -1;
        std::string error;
        std::vector<unsigned char> bytes;
        if (FILE* file = std::fopen(glyphFilePath, "rb")) {
            unsigned char chunk[65536];
            size_t got;
            while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
                bytes.insert(bytes.end(), chunk, chunk + got);
            bool failed = std::ferror(file) != 0;
            std::fclose(file);
            if (failed)
                error = "it cannot be read";
            else if (ReadGlyphFile(bytes.data(), bytes.size(), stored, error))
                state = 1;
        } else {
            error = "it is missing";
        }
        if (state < 0)
            std::fprintf(stderr, "Тримвальд: the font's glyphs (%s) cannot be used: %s\n", glyphFilePath,
                         error.c_str());
    }
    glyphs = &stored;
    return state > 0;
}

static bool Answers(const GlyphSet& glyphs, const LayerGdiObject& font, DWORD first, DWORD count,
                    FLOAT deviation, FLOAT extrusion, int format)
{
    const GlyphRequest& r = glyphs.request;
    return r.face == font.faceName && r.height == font.height && r.weight == font.weight &&
           r.italic == font.italic && r.charSet == font.charSet && r.format == format &&
           std::memcmp(&r.deviation, &deviation, sizeof deviation) == 0 &&
           std::memcmp(&r.extrusion, &extrusion, sizeof extrusion) == 0 && first >= r.first &&
           first - r.first + count <= glyphs.glyphs.size();
}

BOOL WINAPI wglUseFontOutlinesA(HDC dc, DWORD first, DWORD count, DWORD listBase, FLOAT deviation,
                                FLOAT extrusion, int format, LPGLYPHMETRICSFLOAT metrics)
{
    if (!dc || !dc->font || format != WGL_FONT_POLYGONS || listBase == 0 || first > 255 ||
        count > 256 - first || !(deviation >= 0.0f) || !(extrusion >= 0.0f))
        return FALSE;
    if (!layerHost.currentContext())
        return FALSE;
    const GlyphSet* stored = nullptr;
    if (!StoredGlyphs(stored) || !Answers(*stored, *dc->font, first, count, deviation, extrusion, format))
        return FALSE;
    GlyphSet asked;
    asked.request = stored->request;
    asked.request.first = first;
    const auto from = stored->glyphs.begin() + (first - stored->request.first);
    asked.glyphs.assign(from, from + count);
    LayerCompileGlyphLists(asked, listBase, metrics);
    return TRUE;
}
