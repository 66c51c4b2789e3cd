#include "tools/assetgen/bmp_writer.h"
#include "tools/formats/little_endian.h"

#include <cstdint>
#include <fstream>
#include <vector>

bool WriteBmp(const std::string& path, const Image& image)
{
    const uint32_t width = static_cast<uint32_t>(image.Width());
    const uint32_t height = static_cast<uint32_t>(image.Height());
    const uint32_t rowSize = (width * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowSize * height;
    const uint32_t dataOffset = 14 + 40;

    std::vector<unsigned char> out;
    out.reserve(dataOffset + pixelBytes);
    // File header.
    out.push_back('B');
    out.push_back('M');
    Put32(out, dataOffset + pixelBytes);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, dataOffset);
    // BITMAPINFOHEADER.
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);  // positive: bottom row first
    Put16(out, 1);       // planes
    Put16(out, 24);      // bits per pixel
    Put32(out, 0);       // BI_RGB
    Put32(out, pixelBytes);
    Put32(out, 2835);    // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);       // colours used
    Put32(out, 0);       // important colours

    const std::vector<unsigned char> rgb = image.Bytes();
    for (uint32_t row = 0; row < height; ++row) {
        const uint32_t y = height - 1 - row;
        for (uint32_t x = 0; x < width; ++x) {
            const size_t i = (static_cast<size_t>(y) * width + x) * 3;
            out.push_back(rgb[i + 2]);
            out.push_back(rgb[i + 1]);
            out.push_back(rgb[i]);
        }
        for (uint32_t pad = width * 3; pad < rowSize; ++pad)
            out.push_back(0);
    }

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
