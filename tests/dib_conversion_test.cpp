// The Linux layer's side of bitmap loading, beyond what whole files exercise: where converted
// lines land in bottom-up and top-down sections, partial and clipped conversions, refused
// headers, read-only file views, local memory and wsprintfA's limit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/layer/layer.h"
#include "tests/bitmap_files.h"

namespace {

// An info header and its colour table in one block, as a conversion reads them.
struct SourceHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

SourceHeader Source(int32_t width, int32_t height, WORD bitCount, DWORD colorsUsed = 0)
{
    SourceHeader source = {};
    source.header.biSize = sizeof(BITMAPINFOHEADER);
    source.header.biWidth = width;
    source.header.biHeight = height;
    source.header.biPlanes = 1;
    source.header.biBitCount = bitCount;
    source.header.biClrUsed = colorsUsed;
    for (int i = 0; i < 256; i++)
        source.colors[i] = RGBQUAD{(BYTE)(i + 1), (BYTE)(i + 2), (BYTE)(i + 3), 0};
    return source;
}

const BITMAPINFO* Info(const SourceHeader& source)
{
    return reinterpret_cast<const BITMAPINFO*>(&source);
}

// A 24-bit section and its bits.
struct Section {
    HBITMAP bitmap = nullptr;
    unsigned char* bits = nullptr;
    Section(int32_t width, int32_t height)
    {
        SourceHeader target = Source(width, height, 24);
        void* pointer = nullptr;
        bitmap = CreateDIBSection(nullptr, Info(target), DIB_RGB_COLORS, &pointer, nullptr, 0);
        bits = static_cast<unsigned char*>(pointer);
    }
    ~Section() { DeleteObject(bitmap); }
    // The blue bytes of a memory row (the colour table's entries have blue = index + 1).
    std::vector<int> Blues(int row, int width, size_t stride) const
    {
        std::vector<int> blues;
        for (int x = 0; x < width; x++)
            blues.push_back(bits[row * stride + 3 * x]);
        return blues;
    }
};

TEST(DibConversion, LinesLandBottomUpWhateverTheRowOrder)
{
    // Three 8-bit lines of two pixels, stored top line first: indices 0, 1 and 2 per line.
    SourceHeader source = Source(2, -3, 8);
    const unsigned char rows[] = {2, 2, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0};
    Section bottomUp(2, 3);
    ASSERT_NE(bottomUp.bits, nullptr);
    EXPECT_EQ(SetDIBits(nullptr, bottomUp.bitmap, 0, 3, rows, Info(source), DIB_RGB_COLORS), 3);
    EXPECT_EQ(bottomUp.Blues(0, 2, 8), std::vector<int>({1, 1}));  // the bottom line first
    EXPECT_EQ(bottomUp.Blues(2, 2, 8), std::vector<int>({3, 3}));

    Section topDown(2, -3);
    EXPECT_EQ(SetDIBits(nullptr, topDown.bitmap, 0, 3, rows, Info(source), DIB_RGB_COLORS), 3);
    EXPECT_EQ(topDown.Blues(0, 2, 8), std::vector<int>({3, 3}));  // the top line first
    EXPECT_EQ(topDown.Blues(2, 2, 8), std::vector<int>({1, 1}));
}

TEST(DibConversion, PartialAndClippedConversions)
{
    // Lines 1 and 2 of a bottom-up 4-line source: the bits hold just those two.
    SourceHeader source = Source(3, 4, 8);
    const unsigned char two[] = {5, 5, 5, 0, 6, 6, 6, 0};
    Section section(3, 4);
    EXPECT_EQ(SetDIBits(nullptr, section.bitmap, 1, 2, two, Info(source), DIB_RGB_COLORS), 2);
    EXPECT_EQ(section.Blues(0, 3, 12), std::vector<int>({0, 0, 0}));
    EXPECT_EQ(section.Blues(1, 3, 12), std::vector<int>({6, 6, 6}));
    EXPECT_EQ(section.Blues(2, 3, 12), std::vector<int>({7, 7, 7}));
    EXPECT_EQ(section.Blues(3, 3, 12), std::vector<int>({0, 0, 0}));
    // More lines asked than the source has from line 3: one converted.
    EXPECT_EQ(SetDIBits(nullptr, section.bitmap, 3, 9, two, Info(source), DIB_RGB_COLORS), 1);
    EXPECT_EQ(SetDIBits(nullptr, section.bitmap, 4, 1, two, Info(source), DIB_RGB_COLORS), 0);

    // A source wider than the section fills the section's columns and leaves its fill bytes.
    Section narrow(2, 1);
    EXPECT_EQ(SetDIBits(nullptr, narrow.bitmap, 0, 1, two, Info(Source(3, 1, 8)), DIB_RGB_COLORS), 1);
    EXPECT_EQ(std::vector<int>(narrow.bits, narrow.bits + 8),
              std::vector<int>({6, 7, 8, 6, 7, 8, 0, 0}));
}

TEST(DibConversion, IndicesBeyondTheTableAreBlack)
{
    // Two colours used: the conversion reads two entries and nothing past them.
    std::vector<unsigned char> block(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
    SourceHeader source = Source(4, 1, 8, 2);
    std::memcpy(block.data(), &source, block.size());
    const unsigned char row[] = {0, 1, 2, 255};
    Section section(4, 1);
    EXPECT_EQ(SetDIBits(nullptr, section.bitmap, 0, 1, row,
                        reinterpret_cast<const BITMAPINFO*>(block.data()), DIB_RGB_COLORS), 1);
    EXPECT_EQ(std::vector<int>(section.bits, section.bits + 12),
              std::vector<int>({1, 2, 3, 2, 3, 4, 0, 0, 0, 0, 0, 0}));
}

TEST(DibConversion, RefusedSectionsAndSources)
{
    void* bits = &bits;
    SourceHeader wrong = Source(4, 4, 32);
    EXPECT_EQ(CreateDIBSection(nullptr, Info(wrong), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    wrong = Source(0, 4, 24);
    EXPECT_EQ(CreateDIBSection(nullptr, Info(wrong), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    wrong = Source(4, 4, 24);
    wrong.header.biCompression = BI_RLE8;
    EXPECT_EQ(CreateDIBSection(nullptr, Info(wrong), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);

    Section section(4, 4);
    const unsigned char data[64] = {4, 1, 0, 1};
    auto convert = [&](const SourceHeader& source, UINT usage = DIB_RGB_COLORS) {
        return SetDIBits(nullptr, section.bitmap, 0, 4, data, Info(source), usage);
    };
    SourceHeader rle = Source(4, 4, 8);
    rle.header.biCompression = BI_RLE8;
    rle.header.biSizeImage = 4;
    EXPECT_EQ(convert(rle), 4);
    EXPECT_EQ(convert(rle, 1), 0) << "palette-index colours";
    rle.header.biHeight = -4;
    EXPECT_EQ(convert(rle), 0) << "top-down compressed data";
    rle.header.biHeight = 4;
    rle.header.biSizeImage = 0;
    EXPECT_EQ(convert(rle), 0) << "compressed data of unknown size";
    SourceHeader fields = Source(4, 4, 16);
    fields.header.biCompression = BI_BITFIELDS;
    EXPECT_EQ(convert(fields), 0);
    EXPECT_EQ(convert(Source(4, 4, 2)), 0);
    EXPECT_EQ(SetDIBits(nullptr, section.bitmap, 0, 4, nullptr, Info(Source(4, 4, 8)), DIB_RGB_COLORS), 0);
}

TEST(LayerFiles, ReadOnlyViewsOfWholeFiles)
{
    Bytes bytes(100);
    for (size_t i = 0; i < bytes.size(); i++)
        bytes[i] = (unsigned char)(i * 7);
    TempFile file("view.bin", bytes);
    HANDLE handle = CreateFileA(file.path(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD high = 7;
    EXPECT_EQ(GetFileSize(handle, &high), 100u);
    EXPECT_EQ(high, 0u);
    EXPECT_EQ(CreateFileMappingA(handle, nullptr, PAGE_READONLY, 0, 101, nullptr), nullptr)
        << "a read-only mapping cannot grow the file";
    HANDLE mapping = CreateFileMappingA(handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
    ASSERT_NE(mapping, nullptr);
    EXPECT_EQ(CloseHandle(handle), TRUE);  // the mapping keeps the file
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(std::memcmp(view, bytes.data(), bytes.size()), 0);
    EXPECT_EQ(UnmapViewOfFile(view), TRUE);
    EXPECT_EQ(UnmapViewOfFile(view), FALSE);
    EXPECT_EQ(CloseHandle(mapping), TRUE);
    EXPECT_EQ(CloseHandle(mapping), FALSE);
    EXPECT_EQ(CloseHandle(INVALID_HANDLE_VALUE), FALSE);

    // Empty files cannot be mapped; folders and missing files cannot be opened.
    TempFile empty("empty.bin", {});
    handle = CreateFileA(empty.path(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileMappingA(handle, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
    CloseHandle(handle);
    EXPECT_EQ(CreateFileA("/tmp", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA("/nonexistent", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr), INVALID_HANDLE_VALUE);
}

TEST(LayerFiles, LocalMemoryAndFormattedTexts)
{
    unsigned char* block = static_cast<unsigned char*>(LocalAlloc(LPTR, 300));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(block, block + 300), std::vector<unsigned char>(300, 0));
    EXPECT_EQ(LocalFree(block), nullptr);
    EXPECT_EQ(LocalAlloc(0x0002 /* moveable */, 16), nullptr);

    char text[1024];
    EXPECT_EQ(wsprintfA(text, "Failed to open DIB file %s.\n", "1D.bmp"), 32);
    EXPECT_STREQ(text, "Failed to open DIB file 1D.bmp.\n");
    // Windows stops at 1024 bytes, the terminating zero included.
    std::string longName(3000, 'x');
    EXPECT_EQ(wsprintfA(text, "Failed to open DIB file %s.\n", longName.c_str()), 1023);
    EXPECT_EQ(std::strlen(text), 1023u);
}

}  // namespace
