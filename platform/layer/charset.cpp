// Windows-1251 <-> UTF-8 for the texts the layer hands to its host (message boxes, the caption).
#include <cstdint>
#include <string>

#include "platform/layer/charset.h"

// Unicode code points of the bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F. The one
// byte without a character, 0x98, maps to 0.
static const uint16_t upperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

static uint32_t CodePointOf(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return upperHalf[byte - 0x80];
}

static void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += (char)cp;
    } else if (cp < 0x800) {
        out += (char)(0xC0 | (cp >> 6));
        out += (char)(0x80 | (cp & 0x3F));
    } else {
        out += (char)(0xE0 | (cp >> 12));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    }
}

std::string Cp1251ToUtf8(const char* text)
{
    std::string out;
    if (!text)
        return out;
    for (const unsigned char* p = (const unsigned char*)text; *p; ++p) {
        uint32_t cp = CodePointOf(*p);
        AppendUtf8(out, cp ? cp : 0xFFFD);
    }
    return out;
}

static char ByteOf(uint32_t cp)
{
    if (cp < 0x80)
        return (char)cp;
    if (cp >= 0x0410 && cp <= 0x044F)
        return (char)(0xC0 + (cp - 0x0410));
    for (int i = 0; i < 64; ++i)
        if (upperHalf[i] == cp)
            return (char)(0x80 + i);
    return '?';
}

std::string Utf8ToCp1251(const std::string& text)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = (unsigned char)text[i];
        int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size()) {
            out += '?';
            ++i;
            continue;
        }
        uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            unsigned char next = (unsigned char)text[i + k];
            if ((next & 0xC0) != 0x80)
                valid = false;
            cp = (cp << 6) | (next & 0x3F);
        }
        out += valid ? ByteOf(cp) : '?';
        i += valid ? length : 1;
    }
    return out;
}
