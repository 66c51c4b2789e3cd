// The desktop host: a player's machine, over SDL. Its dialog, events and sound player are in
// files of their own; here are the clock, the mouse, the display mode, and the record.
#include <cstdlib>

#include "platform/layer.h"

static bool CounterFrequency(int64_t* ticksPerSecond)
{
    *ticksPerSecond = (int64_t)SDL_GetPerformanceFrequency();
    return true;
}

static int64_t Counter()
{
    return (int64_t)SDL_GetPerformanceCounter();
}

// Milliseconds of a monotonic clock, wrapping at 2^32 as the Windows clock does.
static DWORD Milliseconds()
{
    Uint64 counter = SDL_GetPerformanceCounter();
    Uint64 frequency = SDL_GetPerformanceFrequency();
    return (DWORD)((counter / frequency) * 1000 + (counter % frequency) * 1000 / frequency);
}

static POINT CursorPosition()
{
    int x = 0, y = 0;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_GetGlobalMouseState(&x, &y);
    POINT point;
    point.x = x;
    point.y = y;
    return point;
}

static void MoveCursor(int x, int y)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_WarpMouseGlobal(x, y);
}

static void ShowCursor(bool visible)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

// The mode found by the last successful search, which the window then takes.
static SDL_DisplayMode chosenMode;

// Finds a display mode of exactly the asked size, with the colour depth closest to the one
// asked for. Some servers report success for any fullscreen request and stay at their own
// size: only a mode of exactly this size counts.
static bool DisplayModeAvailable(int width, int height, int bits)
{
    if (!LayerInitVideo())
        return false;
    int count = SDL_GetNumDisplayModes(0);
    bool any = false;
    SDL_DisplayMode found = {};
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0 || mode.w != width || mode.h != height)
            continue;
        int distance = std::abs((int)SDL_BITSPERPIXEL(mode.format) - bits);
        if (!any || distance < std::abs((int)SDL_BITSPERPIXEL(found.format) - bits))
            found = mode;
        any = true;
    }
    if (any)
        chosenMode = found;
    return any;
}

static void SetFullscreen(LayerWindow* window, bool on)
{
    if (!on) {
        SDL_SetWindowFullscreen(window->sdlWindow, 0);
        return;
    }
    SDL_SetWindowDisplayMode(window->sdlWindow, &chosenMode);
    SDL_SetWindowFullscreen(window->sdlWindow, SDL_WINDOW_FULLSCREEN);
}

// The main loop's rhythm means nothing to a real machine.
static void Nothing()
{
}

static bool NeverFails(const char*)
{
    return false;
}

static const LayerHost desktopHost = {
    CounterFrequency,
    Counter,
    Milliseconds,
    CursorPosition,
    MoveCursor,
    ShowCursor,
    DesktopMessageBox,
    DisplayModeAvailable,
    SetFullscreen,
    DesktopPlaySound,
    DesktopPumpEvents,
    Nothing,
    Nothing,
    Nothing,
    Nothing,
    NeverFails,
};

const LayerHost& LayerDesktopHost()
{
    return desktopHost;
}
