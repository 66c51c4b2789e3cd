#include "platform/webgl/mipmaps.h"

#include <cstring>

#include "platform/webgl/gl11.h"
#include "platform/webgl/state.h"

std::vector<unsigned char> HalvedImage(const std::vector<unsigned char>& image, int width, int height,
                                       int components)
{
    int halfWidth = width > 1 ? width / 2 : 1;
    int halfHeight = height > 1 ? height / 2 : 1;
    std::vector<unsigned char> half((size_t)halfWidth * halfHeight * components);
    // The two or four source pixels of each: across (dx) and down (dy) where there is room.
    size_t dx = width > 1 ? components : 0;
    size_t dy = height > 1 ? (size_t)width * components : 0;
    unsigned char* out = half.data();
    for (int y = 0; y < halfHeight; ++y)
        for (int x = 0; x < halfWidth; ++x)
            for (int c = 0; c < components; ++c) {
                const unsigned char* in = &image[((size_t)(y * 2) * width + x * 2) * components + c];
                if (dx != 0 && dy != 0)
                    *out++ = (unsigned char)((in[0] + in[dx] + in[dy] + in[dx + dy] + 2) / 4);
                else  // GLU rounds the mean of two down
                    *out++ = (unsigned char)((in[0] + in[dx + dy]) / 2);
            }
    return half;
}

static bool PowerOfTwo(int n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

// The game's textures: RGB or RGBA bytes whose sides are powers of two. GLU would first scale
// other sizes to the nearest powers of two; that is left out, as the game has none.
int GluBuild2DMipmaps(unsigned target, int internalFormat, int width, int height, unsigned format,
                      unsigned type, const void* data)
{
    if (target != GL_TEXTURE_2D || type != GL_UNSIGNED_BYTE || (format != GL_RGB && format != GL_RGBA))
        return GLU_INVALID_ENUM;
    if (!PowerOfTwo(width) || !PowerOfTwo(height)) {
        SetError(GL_INVALID_VALUE);
        return GLU_INVALID_VALUE;
    }
    // The caller's rows as the unpacking alignment lays them out, gathered packed.
    int components = format == GL_RGBA ? 4 : 3;
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    size_t row = (size_t)width * components;
    size_t stride = (row + alignment - 1) / alignment * alignment;
    std::vector<unsigned char> image(row * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(&image[y * row], static_cast<const unsigned char*>(data) + y * stride, row);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int level = 0;; ++level) {
        Gl11TexImage2D(target, level, internalFormat, width, height, 0, format, type, image.data());
        if (width == 1 && height == 1)
            break;
        image = HalvedImage(image, width, height, components);
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return 0;
}
