#include "tests/bitmap_files.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

static void Put16(Bytes& out, uint32_t value)
{
    out.push_back((unsigned char)value);
    out.push_back((unsigned char)(value >> 8));
}

static void Put32(Bytes& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

Bytes BuildBitmap(const BitmapFile& bitmap)
{
    bool core = bitmap.headerSize == 12;
    size_t entrySize = core ? 3 : 4;
    size_t headersEnd = (bitmap.fileHeader ? 14 : 0) + bitmap.headerSize;
    size_t tableEnd = headersEnd + bitmap.colors.size() * entrySize;
    int64_t pixelOffset = bitmap.pixelOffset >= 0 ? bitmap.pixelOffset : (int64_t)tableEnd;

    Bytes out;
    if (bitmap.fileHeader) {
        out.push_back('B');
        out.push_back('M');
        Put32(out, (uint32_t)(std::max<int64_t>(pixelOffset, tableEnd) + bitmap.pixels.size()));
        Put32(out, 0);
        Put32(out, (uint32_t)pixelOffset);
    }
    Put32(out, bitmap.headerSize);
    if (core) {
        Put16(out, (uint32_t)bitmap.width);
        Put16(out, (uint32_t)bitmap.height);
        Put16(out, bitmap.planes);
        Put16(out, bitmap.bitCount);
    } else {
        Put32(out, (uint32_t)bitmap.width);
        Put32(out, (uint32_t)bitmap.height);
        Put16(out, bitmap.planes);
        Put16(out, bitmap.bitCount);
        Put32(out, bitmap.compression);
        Put32(out, bitmap.imageSize);
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, bitmap.colorsUsed);
        Put32(out, 0);
        out.resize(headersEnd, 0);
    }
    for (uint32_t color : bitmap.colors) {
        out.push_back((unsigned char)color);
        out.push_back((unsigned char)(color >> 8));
        out.push_back((unsigned char)(color >> 16));
        if (!core)
            out.push_back(0);
    }
    // Pixel data at its offset when that lies beyond the table (a gap filled with 0xEE).
    if (pixelOffset > (int64_t)out.size())
        out.resize((size_t)pixelOffset, 0xEE);
    out.insert(out.end(), bitmap.pixels.begin(), bitmap.pixels.end());
    return out;
}

Bytes PaddedRows(const std::vector<Bytes>& rows)
{
    Bytes out;
    for (const Bytes& row : rows) {
        out.insert(out.end(), row.begin(), row.end());
        out.resize((out.size() + 3) / 4 * 4, 0xEE);
    }
    return out;
}

Bytes PackIndices(const std::vector<unsigned>& indices, int bitCount)
{
    Bytes row((indices.size() * bitCount + 7) / 8, 0);
    for (size_t i = 0; i < indices.size(); i++) {
        size_t bit = i * bitCount;
        row[bit / 8] |= (unsigned char)(indices[i] << (8 - bitCount - bit % 8));
    }
    return row;
}

static const std::string& PrivateFolder()
{
    static std::string folder;
    if (folder.empty()) {
        std::string pattern = "/tmp/trimvald-bitmaps-XXXXXX";
        if (!mkdtemp(&pattern[0]))
            std::abort();
        folder = pattern;
        std::atexit([] { rmdir(folder.c_str()); });
    }
    return folder;
}

TempFile::TempFile(const std::string& name, const Bytes& bytes) : path_(PrivateFolder() + "/" + name)
{
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
}

TempFile::~TempFile()
{
    std::remove(path_.c_str());
}
