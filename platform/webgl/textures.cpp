// Textures: OpenGL ES's own, with a record of each one's levels and minifying filter, from which
// the drawing knows whether OpenGL 1.1 would texture with it at all.
#include "platform/webgl/gl11.h"
#include "platform/webgl/state.h"

void Gl11GenTextures(int n, unsigned* textures)
{
    glGenTextures(n, textures);
}

void Gl11BindTexture(unsigned target, unsigned texture)
{
    if (Recorded([=] { Gl11BindTexture(target, texture); }))
        return;
    if (target != GL_TEXTURE_2D)
        return SetError(GL_INVALID_ENUM);
    glBindTexture(GL_TEXTURE_2D, texture);
    State().boundTexture = texture;
}

static bool HasAlpha(int format)
{
    return format == 4 || format == GL_RGBA;
}

// RGB or RGBA bytes, kept with three or four components (1..4 give the count, as in OpenGL
// 1.0). OpenGL ES keeps what it is given, so RGB bytes for four components are kept as RGB,
// which samples the same: alpha 1.
void Gl11TexImage2D(unsigned target, int level, int internalFormat, int width, int height,
                    int border, unsigned format, unsigned type, const void* pixels)
{
    Gl11State& state = State();
    // Uploads are not kept in lists here: the game makes none while compiling one.
    if (state.compiling != 0)
        return SetError(GL_INVALID_OPERATION);
    bool known = internalFormat == 3 || internalFormat == 4 || internalFormat == GL_RGB ||
                 internalFormat == GL_RGBA;
    if (target != GL_TEXTURE_2D || type != GL_UNSIGNED_BYTE || (format != GL_RGB && format != GL_RGBA) ||
        !known || (HasAlpha(format) && !HasAlpha(internalFormat)))
        return SetError(GL_INVALID_ENUM);
    if (level < 0 || level >= kLevels || border != 0 || width < 0 || height < 0)
        return SetError(GL_INVALID_VALUE);
    glTexImage2D(GL_TEXTURE_2D, level, (GLint)format, width, height, 0, format, type, pixels);
    TextureRecord& record = state.textures[state.boundTexture];
    record.width[level] = width;
    record.height[level] = height;
}

void Gl11TexParameteri(unsigned target, unsigned pname, int param)
{
    if (Recorded([=] { Gl11TexParameteri(target, pname, param); }))
        return;
    glTexParameteri(target, pname, param);
    if (target == GL_TEXTURE_2D && pname == GL_TEXTURE_MIN_FILTER)
        State().textures[State().boundTexture].minFilter = param;
}

void Gl11PixelStorei(unsigned pname, int param)
{
    glPixelStorei(pname, param);
}

// Complete: a first level, and with a mipmapping filter every level down to 1x1, each half the
// one before.
bool BoundTextureComplete()
{
    const Gl11State& state = State();
    auto found = state.textures.find(state.boundTexture);
    if (found == state.textures.end())
        return false;
    const TextureRecord& record = found->second;
    int width = record.width[0], height = record.height[0];
    if (width == 0 || height == 0)
        return false;
    if (record.minFilter == GL_NEAREST || record.minFilter == GL_LINEAR)
        return true;
    for (int level = 1; width > 1 || height > 1; ++level) {
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        if (level >= kLevels || record.width[level] != width || record.height[level] != height)
            return false;
    }
    return true;
}
