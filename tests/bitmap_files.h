// Bitmap files built byte by byte for the tests, written into a private folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// One bitmap file's fields; the defaults make a well-formed 1x1 24-bit file.
struct BitmapFile {
    bool fileHeader = true;
    uint32_t headerSize = 40;  // 12: core header; anything else: an info header padded with zeros
    int32_t width = 1;
    int32_t height = 1;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> colors;  // 0xRRGGBB each, written as the colour table
    Bytes pixels;                  // the pixel data as stored
    int64_t pixelOffset = -1;      // the file header's offset; -1: right after the colour table
};

Bytes BuildBitmap(const BitmapFile& bitmap);

// Rows padded to whole 32-bit words with the byte 0xEE, which no test picture uses.
Bytes PaddedRows(const std::vector<Bytes>& rows);

// Packs indices of 1, 4 or 8 bits into one row, first pixel in the highest bits.
Bytes PackIndices(const std::vector<unsigned>& indices, int bitCount);

// A file in the process's private folder, removed again when the record goes.
class TempFile {
public:
    TempFile(const std::string& name, const Bytes& bytes);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};
