#include "tools/replay/png_shot.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/platform.h"
#include "tools/formats/png_writer.h"

bool SavePngShot(int frame, const std::string& path)
{
    GLint viewport[4] = {0, 0, 0, 0};
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    int width = 0, height = 0;
    if (window)
        SDL_GL_GetDrawableSize(window, &width, &height);
    if (width <= 0 || height <= 0) {
        glGetIntegerv(GL_VIEWPORT, viewport);
        width = viewport[2];
        height = viewport[3];
    }
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    glReadBuffer(doubleBuffered ? GL_BACK : GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<unsigned char> bottomUp((std::size_t)std::max(width, 0) * std::max(height, 0) * 3);
    if (!bottomUp.empty())
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<unsigned char> topDown(bottomUp.size());
    std::size_t row = (std::size_t)width * 3;
    for (int y = 0; y < height; ++y)
        std::copy_n(&bottomUp[(std::size_t)(height - 1 - y) * row], row, &topDown[(std::size_t)y * row]);
    std::string error;
    if (!WritePng(path, width, height, topDown, error)) {
        std::fprintf(stderr, "trimvald-replay: frame %d: %s\n", frame, error.c_str());
        return false;
    }
    return true;
}
