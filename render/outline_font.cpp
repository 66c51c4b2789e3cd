#include "render/outline_font.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "render/renderer_state.h"

uint32_t& fontBase = renderer.fontBase;

int BuildOutlineFont(HDC dc)
{
    fontBase = glGenLists(256);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_HEAVY, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                             OUT_TT_PRECIS, CLIP_CHARACTER_PRECIS, ANTIALIASED_QUALITY,
                             FF_DONTCARE | DEFAULT_PITCH, "Haettenschweiler");
    SelectObject(dc, font);
    return wglUseFontOutlinesA(dc, 0, 255, fontBase, 0.0f, 0.09f, WGL_FONT_POLYGONS, NULL);
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
