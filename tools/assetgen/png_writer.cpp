#include "tools/assetgen/png_writer.h"

#include <png.h>

#include <cstddef>

namespace {

void Append(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

// The libpng part, with no C++ object of its own that a longjmp out of libpng could skip.
bool Encode(const IconImage& icon, std::vector<unsigned char>* out)
{
    const std::size_t stride = static_cast<std::size_t>(icon.size) * 4;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, Append, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(icon.size), static_cast<png_uint_32>(icon.size), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < icon.size; ++y)
        png_write_row(png, const_cast<png_bytep>(&icon.rgba[static_cast<std::size_t>(y) * stride]));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::vector<unsigned char> EncodePng(const IconImage& icon)
{
    const std::size_t stride = static_cast<std::size_t>(icon.size) * 4;
    std::vector<unsigned char> out;
    if (icon.size <= 0 || icon.rgba.size() != stride * static_cast<std::size_t>(icon.size) ||
        !Encode(icon, &out))
        return {};
    return out;
}
