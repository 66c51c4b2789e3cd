// DIB sections and the conversion of device-independent bitmaps into them (SetDIBits): 1, 4 and
// 8 bits per pixel through the colour table, 16 (5-5-5), 24 and 32 bits, and run-length encoded
// 8- and 4-bit data; rows bottom-up or top-down. Nothing is read beyond what the source header
// describes, and nothing written outside the section.
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/layer/layer.h"

// The largest width or height either side may have.
static const int64_t maxSide = 32768;

// A section's rows: where bottom-up line y lies.
struct SectionRows {
    unsigned char* bits;
    size_t stride;
    int64_t width;
    int64_t height;
    bool topDown;
};

static size_t RowStride(int64_t width, int bitCount)
{
    return (size_t)((width * bitCount + 31) / 32 * 4);
}

static unsigned char* SectionLine(const SectionRows& section, int64_t y)
{
    int64_t row = section.topDown ? section.height - 1 - y : y;
    return section.bits + (size_t)row * section.stride;
}

void LayerFreeBitmap(LayerGdiObject* bitmap)
{
    delete[] bitmap->bits;
    bitmap->bits = nullptr;
    bitmap->bitsSize = 0;
}

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits,
                                HANDLE section, DWORD)
{
    if (bits)
        *bits = nullptr;
    // Only what the loader asks: a 24-bit uncompressed section in memory of its own.
    if (!info || !bits || usage != DIB_RGB_COLORS || section)
        return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    int64_t width = header.biWidth;
    int64_t height = header.biHeight < 0 ? -(int64_t)header.biHeight : header.biHeight;
    if (header.biSize != sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 ||
        header.biBitCount != 24 || header.biCompression != BI_RGB || width < 1 ||
        width > maxSide || height < 1 || height > maxSide)
        return nullptr;

    size_t size = RowStride(width, 24) * (size_t)height;
    unsigned char* pixels = new (std::nothrow) unsigned char[size]();
    LayerGdiObject* bitmap = pixels ? new (std::nothrow) LayerGdiObject : nullptr;
    if (!bitmap) {
        delete[] pixels;
        return nullptr;
    }
    bitmap->kind = LayerGdiObject::Kind::Bitmap;
    bitmap->header = header;
    bitmap->bits = pixels;
    bitmap->bitsSize = size;
    *bits = pixels;
    return bitmap;
}

// The source's colours: its colour table, as many entries as the header says and the depth
// can index; indices beyond the table are black.
static void ReadPalette(const BITMAPINFO* info, RGBQUAD* palette)
{
    const BITMAPINFOHEADER& header = info->bmiHeader;
    std::memset(palette, 0, 256 * sizeof(RGBQUAD));
    if (header.biBitCount > 8)
        return;
    DWORD entries = 1u << header.biBitCount;
    if (header.biClrUsed != 0 && header.biClrUsed < entries)
        entries = header.biClrUsed;
    std::memcpy(palette, (const unsigned char*)info + header.biSize, entries * sizeof(RGBQUAD));
}

static void PutColor(unsigned char* to, const RGBQUAD& color)
{
    to[0] = color.rgbBlue;
    to[1] = color.rgbGreen;
    to[2] = color.rgbRed;
}

// A 5-bit channel widened to 8 bits, its top bits repeated below so that 31 gives 255.
static unsigned char Widen5(unsigned value)
{
    return (unsigned char)((value << 3) | (value >> 2));
}

// Converts the first `width` pixels of one uncompressed source row into 24-bit pixels.
static void ConvertRow(const unsigned char* from, int bitCount, const RGBQUAD* palette,
                       unsigned char* to, int64_t width)
{
    for (int64_t x = 0; x < width; x++, to += 3) {
        switch (bitCount) {
        case 1:
            PutColor(to, palette[(from[x / 8] >> (7 - x % 8)) & 1]);
            break;
        case 4:
            PutColor(to, palette[(from[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]);
            break;
        case 8:
            PutColor(to, palette[from[x]]);
            break;
        case 16: {
            unsigned value = from[2 * x] | (from[2 * x + 1] << 8);
            to[0] = Widen5(value & 0x1F);
            to[1] = Widen5((value >> 5) & 0x1F);
            to[2] = Widen5((value >> 10) & 0x1F);
            break;
        }
        case 24:
            std::memcpy(to, from + 3 * x, 3);
            break;
        case 32:
            std::memcpy(to, from + 4 * x, 3);
            break;
        }
    }
}

// Where run-length encoded pixels land: bottom-up lines from `firstLine` on, `lines` of them,
// clipped to the section.
struct RleTarget {
    const SectionRows* section;
    const RGBQUAD* palette;
    int64_t width;  // columns both sides have
    int64_t firstLine;
    int64_t endLine;
};

static void PutRlePixel(const RleTarget& target, int64_t x, int64_t y, unsigned index)
{
    if (x < target.width && y >= target.firstLine && y < target.endLine)
        PutColor(SectionLine(*target.section, y) + 3 * x, target.palette[index]);
}

// Decodes BI_RLE8 or BI_RLE4 data of `size` bytes for a picture `height` lines high. Runs are
// clipped at the end of their line (they never wrap), and decoding stops at the end of the
// picture, at the end marker, or where the data ends, even in the middle of a command. Pixels
// no command reaches keep what the section held.
static void DecodeRle(const unsigned char* data, size_t size, bool fourBit, int64_t height,
                      const RleTarget& target)
{
    size_t at = 0;
    int64_t x = 0, y = 0;
    while (at + 2 <= size && y < height) {
        unsigned count = data[at], value = data[at + 1];
        at += 2;
        if (count > 0) {
            // Encoded run: one index repeated, or two alternating for 4 bits.
            for (unsigned i = 0; i < count && x < target.width; i++, x++)
                PutRlePixel(target, x, y, fourBit ? (i % 2 ? value & 0xF : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            y++;
        } else if (value == 1) {  // end of picture
            return;
        } else if (value == 2) {  // move right and up
            if (at + 2 > size)
                return;
            x += data[at];
            y += data[at + 1];
            at += 2;
        } else {
            // Absolute run of `value` indices, padded to a 16-bit boundary.
            size_t bytes = fourBit ? (value + 1) / 2 : value;
            for (unsigned i = 0; i < value && x < target.width; i++, x++) {
                size_t byte = fourBit ? i / 2 : i;
                if (at + byte >= size)
                    return;
                unsigned index = data[at + byte];
                PutRlePixel(target, x, y, fourBit ? (i % 2 ? index & 0xF : index >> 4) : index);
            }
            at += (bytes + 1) & ~(size_t)1;
        }
        if (x > target.width)
            x = target.width;
    }
}

// Which depths go with which compression.
static bool SupportedSource(const BITMAPINFOHEADER& header)
{
    switch (header.biCompression) {
    case BI_RGB:
        return header.biBitCount == 1 || header.biBitCount == 4 || header.biBitCount == 8 ||
               header.biBitCount == 16 || header.biBitCount == 24 || header.biBitCount == 32;
    case BI_RLE8:
        return header.biBitCount == 8 && header.biHeight > 0 && header.biSizeImage > 0;
    case BI_RLE4:
        return header.biBitCount == 4 && header.biHeight > 0 && header.biSizeImage > 0;
    default:
        return false;
    }
}

int WINAPI SetDIBits(HDC, HBITMAP bitmap, UINT startLine, UINT lines, const void* bits,
                     const BITMAPINFO* info, UINT usage)
{
    if (!bitmap || bitmap->kind != LayerGdiObject::Kind::Bitmap || !bitmap->bits || !bits ||
        !info || usage != DIB_RGB_COLORS || lines == 0)
        return 0;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    int64_t width = header.biWidth;
    int64_t height = header.biHeight < 0 ? -(int64_t)header.biHeight : header.biHeight;
    if (header.biSize != sizeof(BITMAPINFOHEADER) || width < 1 || width > maxSide ||
        height < 1 || height > maxSide || !SupportedSource(header) || startLine >= height)
        return 0;

    SectionRows section;
    section.bits = bitmap->bits;
    section.width = bitmap->header.biWidth;
    section.topDown = bitmap->header.biHeight < 0;
    section.height = section.topDown ? -(int64_t)bitmap->header.biHeight : bitmap->header.biHeight;
    section.stride = RowStride(section.width, 24);

    // The source holds `count` lines from `startLine` up, of which those the section has are
    // converted.
    int64_t count = height - startLine < (int64_t)lines ? height - startLine : (int64_t)lines;
    int64_t endLine = startLine + count < section.height ? startLine + count : section.height;
    int64_t columns = width < section.width ? width : section.width;
    if (endLine <= (int64_t)startLine)
        return 0;
    RGBQUAD palette[256];
    ReadPalette(info, palette);

    const unsigned char* source = static_cast<const unsigned char*>(bits);
    if (header.biCompression != BI_RGB) {
        RleTarget target = {&section, palette, columns, (int64_t)startLine, endLine};
        DecodeRle(source, header.biSizeImage, header.biCompression == BI_RLE4, height, target);
        return (int)(endLine - startLine);
    }
    size_t stride = RowStride(width, header.biBitCount);
    bool topDown = header.biHeight < 0;
    for (int64_t y = startLine; y < endLine; y++) {
        // Bottom-up sources hold their lowest line first, top-down ones their highest.
        int64_t row = topDown ? startLine + count - 1 - y : y - startLine;
        ConvertRow(source + (size_t)row * stride, header.biBitCount, palette,
                   SectionLine(section, y), columns);
    }
    return (int)(endLine - startLine);
}
