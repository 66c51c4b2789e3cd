#include "tools/replay/watch.h"

#include <cstdint>

static LayerHost scripted;
static LayerHost machine;
static bool (*stopAsked)() = nullptr;
static bool stopRequested = false;
static int64_t watchFrameBegan;

void WatchOn(const LayerHost& watchedOn, bool (*asked)())
{
    machine = watchedOn;
    stopAsked = asked;
}

// The game's own pace: its busy-wait holds every frame's swap until 10 ms after the frame
// began, and a frame that ran late is not made up for by shorter ones.
static void WatchFrameStart()
{
    watchFrameBegan = machine.counter();
    scripted.frameStart();
}

// The driver's look at the frame (its screenshot) comes first: a wait may give the page's
// browser its turn, after which the picture is no longer in the back buffer.
static void WatchBeforeSwap()
{
    scripted.beforeSwap();
    int64_t ticksPerSecond = 0;
    if (machine.counterFrequency(&ticksPerSecond) && ticksPerSecond > 0) {
        int64_t frameTicks = ticksPerSecond / 100;
        int64_t left = watchFrameBegan + frameTicks - machine.counter();
        if (left > 0)
            machine.sleepFine((int64_t)((double)left * 1e7 / (double)ticksPerSecond));
    }
}

static BOOL WatchPlaySound(const char* sound, DWORD flags)
{
    scripted.playSound(sound, flags);
    return machine.playSound(sound, flags);
}

// Only the player's wish to stop is taken from the machine; the game's input is the script's.
static void PumpEvents(HostPost)
{
    if (stopAsked && stopAsked())
        stopRequested = true;
}

void InstallWatchingHost()
{
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
