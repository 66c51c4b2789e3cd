// The start and end of SDL's video, and SDL's words for what it refused.
#include <cstdlib>
#include <cstring>

#include "platform/sdl_video/sdl_video.h"
#include "platform/sdl_video/x_errors.h"

bool SdlVideoStart(bool (*startDriver)())
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    // The game ends on its own quit message, not when SDL sees the last window close.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (!startDriver())
        return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0)
        SdlVideoCatchXErrors();
    // Loading the OpenGL library brings in the driver, the slowest part of opening the window.
    SDL_GL_LoadLibrary(nullptr);
    return true;
}

static bool WaylandReachable()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* socket = std::getenv("WAYLAND_SOCKET");
    const char* display = std::getenv("WAYLAND_DISPLAY");
    return (runtime && *runtime) || (socket && *socket) || (display && display[0] == '/');
}

bool SdlVideoStartDriver(bool (*usable)(const char* driver), std::string& reasons)
{
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (chosen && *chosen)
        return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    bool up = false;
    for (int i = 0; i < SDL_GetNumVideoDrivers() && !up; ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!driver || !usable(driver))
            continue;
        if (std::strcmp(driver, "wayland") == 0 && !WaylandReachable()) {
            reasons += std::string(reasons.empty() ? "" : "; ") + "wayland: XDG_RUNTIME_DIR is not set";
            continue;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
        up = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        if (!up)
            reasons += std::string(reasons.empty() ? "" : "; ") + driver + ": " + SDL_GetError();
    }
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    return up;
}

std::string SdlVideoRefusalReason()
{
    return std::string("SDL: ") + SDL_GetError();
}

// SDL_Quit ends all of SDL, its sound and controllers with its video: the hosts' resets have
// closed what they opened by then.
void SdlVideoEnd()
{
    SDL_Quit();
}
