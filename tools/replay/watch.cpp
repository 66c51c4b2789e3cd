#include "tools/replay/watch.h"

#include <SDL.h>

#include <chrono>
#include <thread>

#include "platform/host.h"

using Clock = std::chrono::steady_clock;

// The game's own pace: its busy-wait holds every frame for 10 ms.
static const Clock::duration frameLength = std::chrono::milliseconds(10);
// A frame that ran this late (a slow machine, a suspended process) does not make the frames
// after it hurry to catch up.
static const Clock::duration catchUpLimit = std::chrono::milliseconds(100);

static LayerHost scripted;
static LayerHost desktop;
static bool stopRequested = false;
static bool paced = false;
static Clock::time_point nextFrame;

static void FrameStart()
{
    Clock::time_point now = Clock::now();
    if (!paced || now - nextFrame > catchUpLimit)
        nextFrame = now;
    else if (nextFrame > now)
        std::this_thread::sleep_until(nextFrame);
    paced = true;
    nextFrame += frameLength;
    scripted.frameStart();
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
    scripted = LayerCurrentHost();
    desktop = LayerDesktopHost();
    LayerHost host = scripted;
    host.frameStart = FrameStart;
    host.playSound = WatchPlaySound;
    host.pumpEvents = PumpEvents;
    LayerInstallHost(&host);
}

bool WatchStopRequested()
{
    return stopRequested;
}

void ResetWatch()
{
    stopRequested = false;
    paced = false;
}
