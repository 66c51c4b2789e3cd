#include "platform/desktop/desktop_host.h"
#include "tools/replay/watch.h"

#include <SDL.h>

#include <chrono>
#include <thread>

#include "platform/host.h"

using Clock = std::chrono::steady_clock;

// The game's own pace: its busy-wait holds every frame's swap until 10 ms after the frame
// began, and a frame that ran late is not made up for by shorter ones.
static const Clock::duration frameLength = std::chrono::milliseconds(10);

static LayerHost scripted;
static LayerHost desktop;
static bool stopRequested = false;
static Clock::time_point watchFrameBegan;

static void WatchFrameStart()
{
    watchFrameBegan = Clock::now();
    scripted.frameStart();
}

static void WatchBeforeSwap()
{
    std::this_thread::sleep_until(watchFrameBegan + frameLength);
    scripted.beforeSwap();
}

static BOOL WatchPlaySound(const char* sound, DWORD flags)
{
    scripted.playSound(sound, flags);
    return desktop.playSound(sound, flags);
}

// Only the player's wish to stop is taken from the window; the game's input is the script's.
static void PumpEvents(HostPost)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT ||
            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE) ||
            (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE))
            stopRequested = true;
    }
}

void InstallWatchingHost()
{
    desktop = DesktopHost();
    LayerInstallAround(LayerCurrentHost(), scripted, [](LayerHost& host) {
        host.frameStart = WatchFrameStart;
        host.beforeSwap = WatchBeforeSwap;
        host.playSound = WatchPlaySound;
        host.pumpEvents = PumpEvents;
    });
}

bool WatchStopRequested()
{
    return stopRequested;
}

void ResetWatch()
{
    stopRequested = false;
}
