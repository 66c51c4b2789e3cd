// OpenGL contexts, the swap and the driver's functions over SDL.
#include "platform/sdl_video/sdl_video.h"
#include "platform/sdl_video/video_entries.h"

static HostContext* AsHostContext(SDL_GLContext context)
{
    return reinterpret_cast<HostContext*>(context);
}

static SDL_GLContext AsSdlContext(HostContext* context)
{
    return reinterpret_cast<SDL_GLContext>(context);
}

// SDL makes a new context current; the layer asks for that separately.
HostContext* SdlVideoCreateContext(HostWindow* window)
{
    SDL_GLContext context = SDL_GL_CreateContext(SdlVideoWindow(window));
    if (context)
        SDL_GL_MakeCurrent(SdlVideoWindow(window), nullptr);
    return AsHostContext(context);
}

bool SdlVideoMakeCurrent(HostWindow* window, HostContext* context)
{
    return SDL_GL_MakeCurrent(SdlVideoWindow(window), AsSdlContext(context)) == 0;
}

void SdlVideoReleaseCurrent()
{
    SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
}

HostContext* SdlVideoCurrentContext()
{
    return AsHostContext(SDL_GL_GetCurrentContext());
}

void SdlVideoDeleteContext(HostContext* context)
{
    SDL_GL_DeleteContext(AsSdlContext(context));
}

void SdlVideoSwap(HostWindow* window)
{
    SDL_GL_SwapWindow(SdlVideoWindow(window));
}

bool SdlVideoSetSwapInterval(int interval)
{
    return SDL_GL_SetSwapInterval(interval) == 0;
}

int SdlVideoSwapInterval()
{
    return SDL_GL_GetSwapInterval();
}

void* SdlVideoGlFunction(const char* name)
{
    return SDL_GL_GetProcAddress(name);
}

bool SdlVideoGlExtension(const char* name)
{
    return SDL_GL_ExtensionSupported(name) == SDL_TRUE;
}
