// The game's window over SDL: an OpenGL window, shown, raised, taken out of fullscreen.
#include "platform/sdl_video/sdl_video.h"
#include "platform/sdl_video/video_entries.h"

SDL_Window* SdlVideoWindow(HostWindow* window)
{
    return reinterpret_cast<SDL_Window*>(window);
}

static HostWindow* AsHostWindow(SDL_Window* window)
{
    return reinterpret_cast<HostWindow*>(window);
}

// The pixel format the game asks of Windows: double-buffered, 16 bits of depth, at least 5 bits
// a colour.
HostWindow* SdlVideoCreateWindow(const std::string& caption, int x, int y, int width, int height,
                                 bool frameless, bool resizable)
{
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (frameless)
        flags |= SDL_WINDOW_BORDERLESS;
    if (resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    return AsHostWindow(SDL_CreateWindow(caption.c_str(), x, y, width, height, flags));
}

void SdlVideoDestroyWindow(HostWindow* window)
{
    SDL_DestroyWindow(SdlVideoWindow(window));
}

void SdlVideoShowWindow(HostWindow* window, bool shown)
{
    if (shown)
        SDL_ShowWindow(SdlVideoWindow(window));
    else
        SDL_HideWindow(SdlVideoWindow(window));
}

void SdlVideoRaiseWindow(HostWindow* window)
{
    SDL_RaiseWindow(SdlVideoWindow(window));
}

void SdlVideoWindowedCentred(HostWindow* window)
{
    SDL_SetWindowFullscreen(SdlVideoWindow(window), 0);
    SDL_SetWindowPosition(SdlVideoWindow(window), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void SdlVideoDrawableSize(HostWindow* window, int* width, int* height)
{
    SDL_GL_GetDrawableSize(SdlVideoWindow(window), width, height);
}

// Held off whatever state SDL's video is in; allowed again only while the video is up.
void SdlVideoAllowScreenSaver(bool allowed)
{
    if (!allowed)
        SDL_DisableScreenSaver();
    else if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_EnableScreenSaver();
}
