// The DIB loader: a bitmap file mapped into memory and checked, rendered by the platform's DIB
// conversion into a 24-bit section, and repacked into RGB rows, bottom row first.
#include <cstdlib>
#include <cstring>

#include "render/bitmap_loader.h"
#include "render/dib_layout.h"

static const char* const outOfMemory = "Out of memory.";

static void ShowLoaderMessage(const char* text)
{
    MessageBoxA(GetFocus(), text, "Error", MB_OK);
}

// What a conversion holds until the release steps.
struct DibConversion {
    BITMAPINFO* source;  // the normalised source header and its colour table
    HDC memoryDC;
    BITMAPINFO* target;  // the 24-bit target header
    HBITMAP section;
    void* sectionBits;
    unsigned char* pixels;
};

// The info header and colour table handed to the conversion, the same for both header kinds,
// with room for at least one colour entry.
static BITMAPINFO* NormalisedHeader(const DibLayout& layout)
{
    size_t entries = layout.colorCount ? layout.colorCount : 1;
    BITMAPINFO* info =
        (BITMAPINFO*)LocalAlloc(LPTR, sizeof(BITMAPINFOHEADER) + entries * sizeof(RGBQUAD));
    if (!info)
        return nullptr;
    BITMAPINFOHEADER* header = &info->bmiHeader;
    BYTE* colors = (BYTE*)info + sizeof(BITMAPINFOHEADER);
    if (layout.coreHeader) {
        header->biSize = sizeof(BITMAPINFOHEADER);
        header->biWidth = layout.width;
        header->biPlanes = layout.planes;
        header->biBitCount = layout.bitCount;
        header->biCompression = BI_RGB;
        header->biClrUsed = layout.colorCount;
        header->biClrImportant = layout.colorCount;
        // Blue, green, red triples widened to four bytes.
        for (size_t i = 0; i < layout.colorCount; i++)
            std::memcpy(colors + i * sizeof(RGBQUAD), layout.colorTable + i * sizeof(RGBTRIPLE),
                        sizeof(RGBTRIPLE));
    } else {
        std::memcpy(header, layout.header, sizeof(BITMAPINFOHEADER));
        std::memcpy(colors, layout.colorTable, layout.colorCount * sizeof(RGBQUAD));
    }
    // A top-down file's rows are handed over as they lie, described as bottom-up; the
    // repacking then takes them from the last.
    header->biHeight = layout.height;
    header->biSizeImage = layout.imageSize;
    if (header->biClrUsed == 0)
        header->biClrUsed = layout.colorCount;
    return info;
}

// Copies the section's rows, blue-green-red padded to 32 bits, into tight red-green-blue rows,
// bottom row first.
static void RepackRows(const BYTE* section, const DibLayout& layout, unsigned char* pixels)
{
    size_t stride = (size_t)layout.width * 3 + (size_t)(layout.width % 4);
    unsigned char* out = pixels;
    for (LONG row = 0; row < layout.height; row++) {
        LONG sectionRow = layout.topDown ? layout.height - 1 - row : row;
        const BYTE* from = section + (size_t)sectionRow * stride;
        for (LONG column = 0; column < layout.width; column++) {
            out[0] = from[2];
            out[1] = from[1];
            out[2] = from[0];
            out += 3;
            from += 3;
        }
    }
}

// Everything between the mapped file and the finished image. Shows the message of any failure
// and gives nullptr; what it obtained is left in the conversion record for the release steps.
static ImageRGB* ConvertDib(const BYTE* file, DWORD fileSize, DibConversion* conversion)
{
    DibLayout layout;
    const char* refusal = CheckDibLayout(file, fileSize, &layout);
    if (refusal) {
        ShowLoaderMessage(refusal);
        return nullptr;
    }
    conversion->source = NormalisedHeader(layout);
    if (!conversion->source) {
        ShowLoaderMessage(outOfMemory);
        return nullptr;
    }

    conversion->memoryDC = CreateCompatibleDC(nullptr);
    conversion->target = (BITMAPINFO*)LocalAlloc(LPTR, sizeof(BITMAPINFO));
    if (conversion->memoryDC && conversion->target) {
        BITMAPINFOHEADER* target = &conversion->target->bmiHeader;
        target->biSize = sizeof(BITMAPINFOHEADER);
        target->biWidth = layout.width;
        target->biHeight = layout.height;
        target->biPlanes = 1;
        target->biBitCount = 24;
        target->biCompression = BI_RGB;
        target->biSizeImage = (DWORD)layout.height * (DWORD)layout.width * 3;
        conversion->section = CreateDIBSection(conversion->memoryDC, conversion->target,
                                               DIB_RGB_COLORS, &conversion->sectionBits, nullptr, 0);
    }
    if (!conversion->section || !conversion->sectionBits ||
        !SelectObject(conversion->memoryDC, conversion->section)) {
        ShowLoaderMessage(outOfMemory);
        return nullptr;
    }

    if (SetDIBits(conversion->memoryDC, conversion->section, 0, (UINT)layout.height,
                  layout.pixelData, conversion->source, DIB_RGB_COLORS) == 0) {
        ShowLoaderMessage(dibConversionError);
        return nullptr;
    }
    GdiFlush();

    conversion->pixels = (unsigned char*)std::malloc((size_t)layout.height * layout.width * 3);
    if (!conversion->pixels) {
        ShowLoaderMessage(outOfMemory);
        return nullptr;
    }
    RepackRows((const BYTE*)conversion->sectionBits, layout, conversion->pixels);

    ImageRGB* image = (ImageRGB*)std::malloc(sizeof(ImageRGB));
    if (!image) {
        ShowLoaderMessage(outOfMemory);
        return nullptr;
    }
    image->width = layout.width;
    image->height = layout.height;
    image->pixels = conversion->pixels;
    return image;
}

ImageRGB* LoadDibImage(const char* name)
{
    DibConversion conversion = {};
    HANDLE mapping = nullptr;
    const BYTE* view = nullptr;
    DWORD fileSize = 0;
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        // A file of 4 GiB or more is no bitmap: it is refused as one that cannot be mapped.
        DWORD sizeHigh = 0;
        fileSize = GetFileSize(file, &sizeHigh);
        if (fileSize != INVALID_FILE_SIZE && sizeHigh == 0)
            mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    }
    if (mapping)
        view = (const BYTE*)MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ImageRGB* image = view ? ConvertDib(view, fileSize, &conversion) : nullptr;

    if (conversion.memoryDC)
        DeleteDC(conversion.memoryDC);
    if (conversion.section)
        DeleteObject(conversion.section);
    if (conversion.target)
        LocalFree(conversion.target);
    if (conversion.source)
        LocalFree(conversion.source);
    if (view)
        UnmapViewOfFile(view);
    if (mapping)
        CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);

    if (image)
        return image;
    std::free(conversion.pixels);
    if (!view) {
        char text[1024];  // the most wsprintfA writes
        wsprintfA(text, "Failed to open DIB file %s.\n", name ? name : "");
        ShowLoaderMessage(text);
    }
    return nullptr;
}
