#include "tools/formats/png_writer.h"

#include <png.h>

#include <cstddef>
#include <cstdio>

namespace {

void Append(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

// The libpng part, with no C++ object of its own that a longjmp out of libpng could skip.
bool Encode(int width, int height, int channels, const unsigned char* pixels, bool smallest,
            std::vector<unsigned char>* out)
{
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, Append, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (smallest)
        png_set_compression_level(png, 9);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, const_cast<png_bytep>(pixels + static_cast<std::size_t>(y) * stride));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::vector<unsigned char> EncodePng(int width, int height, int channels,
                                     const std::vector<unsigned char>& pixels, bool smallest)
{
    std::vector<unsigned char> out;
    if (width <= 0 || height <= 0 || (channels != 3 && channels != 4) ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                            static_cast<std::size_t>(channels) ||
        !Encode(width, height, channels, pixels.data(), smallest, &out))
        return {};
    return out;
}

bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string& error)
{
    if (width <= 0 || height <= 0 || rgb.size() < (std::size_t)width * (std::size_t)height * 3) {
        error = "no picture to save";
        return false;
    }
    std::vector<unsigned char> png = EncodePng(width, height, 3, rgb, false);
    if (png.empty()) {
        error = "cannot encode " + path;
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    if (std::fclose(file) != 0 || !written) {
        error = "cannot finish " + path;
        return false;
    }
    return true;
}
