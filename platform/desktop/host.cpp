// The desktop host: a player's machine, over SDL. Its dialog, events, mouse and sound player
// are in files of their own, its window and OpenGL are SDL's video room's; here are the clock,
// the display mode, and the record.
#include "platform/desktop/desktop.h"

#include <errno.h>
#include <sys/prctl.h>
#include <time.h>

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

static void SleepFor(DWORD milliseconds)
{
    SDL_Delay(milliseconds);
}

static bool FineSleepAvailable()
{
    return true;
}

// To an absolute time, so that a signal that breaks the sleep off does not lengthen it. The
// kernel may let a sleep run 50 us long by default to group wake-ups; the game's thread asks
// for none, as the wait reads out what is left after the sleep.
static void SleepFine(int64_t hundredNanoseconds)
{
    static bool slackSet = false;
    if (!slackSet)
        slackSet = prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL) == 0;
    timespec until;
    clock_gettime(CLOCK_MONOTONIC, &until);
    int64_t nanoseconds = (int64_t)until.tv_nsec + hundredNanoseconds * 100;
    until.tv_sec += (time_t)(nanoseconds / 1000000000);
    until.tv_nsec = (long)(nanoseconds % 1000000000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

// The desktop's video mode is never changed: a fullscreen mode of the game's size is granted
// when the desktop is at least that big, and the window then covers the desktop with the
// picture scaled to it at the swap. Nothing is left behind by a crash or a kill.
static bool DisplayModeAvailable(int width, int height, int)
{
    if (!LayerInitVideo())
        return false;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return false;
    return desktop.w >= width && desktop.h >= height;
}

static void SetFullscreen(LayerWindow* window, bool on)
{
    window->scaled = on;
    SDL_SetWindowFullscreen(SdlVideoWindow(window->machineWindow), on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    DesktopPlaceUnmanaged(window, on);
}

// The machine's events, then the close a signal asked for. The close goes to the queue itself,
// as the terminal's and not the window's: a host that watches the events does not see it.
static void PumpEvents(HostPost post)
{
    DesktopPumpEvents(post);
    DesktopTakeSignalClose(LayerPostMessage);
}

// A player's desktop comes up only on a display a player can see; another process here (the
// replay driver watching a script, the tests) takes whatever SDL finds.
static bool StartDriver()
{
    return DesktopStarted() ? DesktopInitVideo() : SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

static bool StartVideo()
{
    return SdlVideoStart(StartDriver);
}

static void Reset()
{
    DesktopResetSound();
    DesktopResetEvents();
    DesktopResetSignals();
    DesktopResetVideo();
}

// The main loop's rhythm means nothing to a real machine, and nothing fails on purpose there:
// those entries keep the record's do-nothing defaults.
static LayerHost MakeDesktopHost()
{
    LayerHost host;
    SdlVideoFill(host);
    host.counterFrequency = CounterFrequency;
    host.counter = Counter;
    host.milliseconds = Milliseconds;
    host.sleep = SleepFor;
    host.fineSleepAvailable = FineSleepAvailable;
    host.sleepFine = SleepFine;
    host.cursorPosition = DesktopCursorPosition;
    host.moveCursor = DesktopMoveCursor;
    host.showCursor = DesktopShowCursor;
    host.messageBox = DesktopMessageBox;
    host.displayModeAvailable = DisplayModeAvailable;
    host.setFullscreen = SetFullscreen;
    host.playSound = DesktopPlaySound;
    host.pumpEvents = PumpEvents;
    host.startVideo = StartVideo;
    host.reset = Reset;
    return host;
}

const LayerHost& DesktopHost()
{
    static const LayerHost desktopHost = MakeDesktopHost();
    return desktopHost;
}
