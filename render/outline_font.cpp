#include "render/outline_font.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "render/renderer_state.h"

uint32_t& fontBase = renderer.fontBase;

const OutlineFontRequest outlineFont = {-12, FW_HEAVY, RUSSIAN_CHARSET, "Haettenschweiler",
                                        0,   255,      0.0f,            0.09f,
                                        WGL_FONT_POLYGONS};

HFONT CreateOutlineFont()
{
    const OutlineFontRequest& r = outlineFont;
    return CreateFontA(r.height, 0, 0, 0, r.weight, FALSE, FALSE, FALSE, r.charSet, OUT_TT_PRECIS,
                       CLIP_CHARACTER_PRECIS, ANTIALIASED_QUALITY, FF_DONTCARE | DEFAULT_PITCH,
                       r.face);
}

int BuildOutlineFont(HDC dc)
{
    fontBase = glGenLists(256);
    HFONT font = CreateOutlineFont();
    SelectObject(dc, font);
    const OutlineFontRequest& r = outlineFont;
    return wglUseFontOutlinesA(dc, r.first, r.count, fontBase, r.deviation, r.extrusion, r.format,
                               NULL);
}

void FreeOutlineFont()
{
    glDeleteLists(fontBase, 256);
}

void PrintText(const char* format, ...)
{
    if (format == NULL)
        return;
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    int length = vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0)
        text[0] = '\0';
    text[sizeof text - 1] = '\0';

    glPushAttrib(GL_LIST_BIT);
    glListBase(fontBase);
    glCallLists((GLsizei)strlen(text), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
