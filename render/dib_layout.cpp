// Reading a bitmap file's headers and checking every part of it against the file's size, so
// that neither the loader nor the conversion ever reads outside the file, whatever it holds.
#include "render/dib_layout.h"

#include <cstddef>

#include "render/bitmap_loader.h"

const char* const unknownDibFormat = "Unknown DIB file format.";
const char* const dibConversionError = "Image file conversion error.";

static const WORD fileHeaderType = 0x4D42;  // "BM"

// Little-endian fields, read byte by byte: headers after the 14-byte file header are not
// aligned.
static WORD ReadWord(const BYTE* at)
{
    return (WORD)(at[0] | (at[1] << 8));
}

static DWORD ReadDword(const BYTE* at)
{
    return (DWORD)at[0] | ((DWORD)at[1] << 8) | ((DWORD)at[2] << 16) | ((DWORD)at[3] << 24);
}

uint16_t DibColorCount(const void* header)
{
    const BYTE* bytes = static_cast<const BYTE*>(header);
    WORD bitCount;
    if (ReadDword(bytes) == sizeof(BITMAPCOREHEADER)) {
        bitCount = ReadWord(bytes + offsetof(BITMAPCOREHEADER, bcBitCount));
    } else {
        DWORD colorsUsed = ReadDword(bytes + offsetof(BITMAPINFOHEADER, biClrUsed));
        if (colorsUsed != 0)
            return (uint16_t)colorsUsed;
        bitCount = ReadWord(bytes + offsetof(BITMAPINFOHEADER, biBitCount));
    }
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

// The depths and compressions the conversion takes: every uncompressed depth Windows draws,
// and run-length encoded data of 8 and 4 bits per pixel. Bit-field masks are not carried by
// the loader's header and are refused with the rest.
static bool SupportedFormat(WORD bitCount, DWORD compression)
{
    switch (compression) {
    case BI_RGB:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
               bitCount == 24 || bitCount == 32;
    case BI_RLE8:
        return bitCount == 8;
    case BI_RLE4:
        return bitCount == 4;
    default:
        return false;
    }
}

const char* CheckDibLayout(const BYTE* file, DWORD fileSize, DibLayout* layout)
{
    // The DIB header follows the file header when the file starts with "BM".
    bool fileHeader = fileSize >= 2 && ReadWord(file) == fileHeaderType;
    uint64_t headerOffset = fileHeader ? sizeof(BITMAPFILEHEADER) : 0;
    if (fileSize < headerOffset + 4)
        return unknownDibFormat;
    const BYTE* header = file + headerOffset;
    DWORD headerSize = ReadDword(header);
    if (headerSize != sizeof(BITMAPCOREHEADER) && headerSize != sizeof(BITMAPINFOHEADER))
        return unknownDibFormat;
    if (fileSize < headerOffset + headerSize)
        return dibConversionError;

    layout->header = header;
    layout->coreHeader = headerSize == sizeof(BITMAPCOREHEADER);
    int64_t width, height;
    DWORD colorsUsed = 0;
    layout->imageSize = 0;
    if (layout->coreHeader) {
        width = ReadWord(header + offsetof(BITMAPCOREHEADER, bcWidth));
        height = ReadWord(header + offsetof(BITMAPCOREHEADER, bcHeight));
        layout->planes = ReadWord(header + offsetof(BITMAPCOREHEADER, bcPlanes));
        layout->bitCount = ReadWord(header + offsetof(BITMAPCOREHEADER, bcBitCount));
        layout->compression = BI_RGB;
    } else {
        width = (LONG)ReadDword(header + offsetof(BITMAPINFOHEADER, biWidth));
        height = (LONG)ReadDword(header + offsetof(BITMAPINFOHEADER, biHeight));
        layout->planes = ReadWord(header + offsetof(BITMAPINFOHEADER, biPlanes));
        layout->bitCount = ReadWord(header + offsetof(BITMAPINFOHEADER, biBitCount));
        layout->compression = ReadDword(header + offsetof(BITMAPINFOHEADER, biCompression));
        layout->imageSize = ReadDword(header + offsetof(BITMAPINFOHEADER, biSizeImage));
        colorsUsed = ReadDword(header + offsetof(BITMAPINFOHEADER, biClrUsed));
    }

    // A negative height marks rows stored top row first; compressed data is always bottom-up.
    layout->topDown = height < 0;
    if (height < 0)
        height = -height;
    if (width < 1 || width > maxDibSide || height < 1 || height > maxDibSide)
        return dibConversionError;
    layout->width = (LONG)width;
    layout->height = (LONG)height;
    if (!SupportedFormat(layout->bitCount, layout->compression))
        return dibConversionError;
    if (layout->topDown && layout->compression != BI_RGB)
        return dibConversionError;

    // The colour table lies between the header and the pixel data, all of it in the file. A
    // colour count too large for the 16-bit count would leave entries the table does not hold.
    layout->colorCount = DibColorCount(header);
    if (colorsUsed > 0xFFFF)
        return dibConversionError;
    uint64_t tableOffset = headerOffset + headerSize;
    uint64_t tableEnd = tableOffset + (uint64_t)layout->colorCount * (layout->coreHeader ? 3 : 4);
    if (tableEnd > fileSize)
        return dibConversionError;
    layout->colorTable = file + tableOffset;

    uint64_t pixelOffset =
        fileHeader ? ReadDword(file + offsetof(BITMAPFILEHEADER, bfOffBits)) : tableEnd;
    if (pixelOffset < tableEnd || pixelOffset >= fileSize)
        return dibConversionError;
    layout->pixelData = file + pixelOffset;
    uint64_t available = fileSize - pixelOffset;

    uint64_t rowBits = (uint64_t)layout->bitCount * (uint64_t)width;
    if (layout->compression == BI_RGB) {
        // Rows are read padded to whole 32-bit words.
        uint64_t stride = (rowBits + 31) / 32 * 4;
        if (stride * (uint64_t)height > available)
            return dibConversionError;
        if (layout->imageSize == 0)
            layout->imageSize = (DWORD)((rowBits + 7) / 8 * (uint64_t)height);
    } else {
        // Run-length encoded data runs for its image size, or to the end of the file when the
        // header leaves the size out.
        if (layout->imageSize == 0)
            layout->imageSize = (DWORD)available;
        if (layout->imageSize > available)
            return dibConversionError;
    }
    return nullptr;
}
