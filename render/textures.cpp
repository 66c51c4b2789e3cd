#include "render/textures.h"

#include <cstdlib>

#include "platform/platform.h"
#include "render/bitmap_loader.h"
#include "render/renderer_state.h"

uint32_t (&textures)[textureCount] = renderer.textures;

static const char* const textureFiles[textureCount] = {
    "Data/Textures/1B.bmp", "Data/Textures/1D.bmp", "Data/Textures/1S.bmp", "Data/Textures/1L.bmp",
    "Data/Textures/1T.bmp", "Data/Textures/1P.bmp", "Data/Textures/1E.bmp", "Data/Textures/1R.bmp",
    "Data/Textures/2S.bmp", "Data/Textures/3S.bmp", "Data/Textures/4S.bmp", "Data/Textures/2E.bmp",
    "Data/Textures/1F.bmp",
};

static void FreeImage(ImageRGB* image)
{
    if (!image)
        return;
    std::free(image->pixels);
    std::free(image);
}

int LoadTextures()
{
    ImageRGB* images[textureCount] = {};
    for (int i = 0; i < textureCount; ++i) {
        images[i] = LoadBitmapFile(textureFiles[i]);
        if (!images[i]) {
            // Start-up ends here; the images read so far are not kept.
            for (int k = 0; k < i; ++k)
                FreeImage(images[k]);
            return 0;
        }
    }

    // The images are rows of 3-byte pixels packed without padding, while OpenGL expects each
    // row to start on a 4-byte boundary unless told otherwise: a picture whose width is not a
    // multiple of 4 would be read sheared and past its end. The uploads read bytes as they lie,
    // and the unpacking rule goes back to what it was for everything after.
    GLint unpackAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(textureCount, textures);
    for (int i = 0; i < textureCount; ++i) {
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, images[i]->width, images[i]->height, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, images[i]->pixels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, images[i]->width, images[i]->height, GL_RGB,
                          GL_UNSIGNED_BYTE, images[i]->pixels);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    for (int i = 0; i < textureCount; ++i)
        FreeImage(images[i]);
    return 1;
}
