#include "tools/assetgen/ico_writer.h"

#include <cstddef>
#include <cstdint>

#include "tools/formats/little_endian.h"
#include "tools/formats/png_writer.h"

namespace {

// BITMAPINFOHEADER, the BGRA rows bottom-up, then the 1-bit AND mask (set where the icon is
// fully transparent), its rows padded to 4 bytes. The header's height counts both halves.
std::vector<unsigned char> EncodeDib(const IconImage& icon)
{
    const uint32_t size = static_cast<uint32_t>(icon.size);
    const uint32_t maskStride = ((size + 31) / 32) * 4;
    std::vector<unsigned char> out;
    Put32(out, 40);
    Put32(out, size);
    Put32(out, size * 2);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, 0);   // BI_RGB
    Put32(out, size * size * 4 + maskStride * size);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (uint32_t row = 0; row < size; ++row) {
        const std::size_t y = size - 1 - row;
        for (uint32_t x = 0; x < size; ++x) {
            const unsigned char* p = &icon.rgba[(y * size + x) * 4];
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
            out.push_back(p[3]);
        }
    }
    for (uint32_t row = 0; row < size; ++row) {
        const std::size_t y = size - 1 - row;
        std::vector<unsigned char> mask(maskStride, 0);
        for (uint32_t x = 0; x < size; ++x)
            if (icon.rgba[(y * size + x) * 4 + 3] == 0)
                mask[x / 8] |= static_cast<unsigned char>(0x80u >> (x % 8));
        out.insert(out.end(), mask.begin(), mask.end());
    }
    return out;
}

}  // namespace

std::vector<unsigned char> EncodeIco(const std::vector<IconImage>& icons)
{
    std::vector<std::vector<unsigned char>> images;
    for (const IconImage& icon : icons) {
        if (icon.size < 1 || icon.size > 256 ||
            icon.rgba.size() != static_cast<std::size_t>(icon.size) * icon.size * 4)
            return {};
        images.push_back(icon.size == 256 ? EncodePng(icon.size, icon.size, 4, icon.rgba, true) : EncodeDib(icon));
        if (images.back().empty())
            return {};
    }

    std::vector<unsigned char> out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, static_cast<uint16_t>(icons.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * icons.size());
    for (std::size_t i = 0; i < icons.size(); ++i) {
        const unsigned char side = static_cast<unsigned char>(icons[i].size & 0xFF);  // 256 is 0
        out.push_back(side);
        out.push_back(side);
        out.push_back(0);  // no palette
        out.push_back(0);  // reserved
        Put16(out, 1);     // planes
        Put16(out, 32);    // bits per pixel
        Put32(out, static_cast<uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const std::vector<unsigned char>& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}
