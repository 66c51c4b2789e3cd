// The scripted host: a simulated machine whose answers come from the driver that installs it.
// It knows nothing of the desktop or the page: it never shows, plays or moves anything itself,
// and draws in the window of the machine its program's entry chose.
#include "platform/scripted/scripted_host.h"

#include <string>

#include "platform/input.h"
#include "platform/layer/for_hosts.h"

static ScriptedHostSetup setup;
// The machine the runs are drawn on; until an entry chooses one, a machine without a display.
static LayerHost shownOn;

// The simulated clocks: every reading is 10 ms after the one before, so that a frame's
// busy-wait ends at once, and a sleep moves them on by what it asked for. Tests of the pacing
// bring the readings closer together and make sleeps last longer than asked.
static const int64_t simulatedFrequency = 1000000;
static const int64_t defaultStep = 10000;  // 10 ms of the simulated counter
static int64_t simulatedStep = defaultStep;
static int64_t sleepOvershoot = 0;
static int64_t simulatedCounter = 0;
static DWORD simulatedMilliseconds = 0;
static bool performanceCounterAvailable = true;
static bool fineSleep = true;

void ScriptedClockSetPerformanceCounter(bool available)
{
    performanceCounterAvailable = available;
}

void ScriptedClockSetFineSleep(bool available)
{
    fineSleep = available;
}

void ScriptedClockSetMilliseconds(DWORD now)
{
    simulatedMilliseconds = now;
}

void ScriptedClockSetPace(int64_t readingStep, int64_t overshoot)
{
    simulatedStep = readingStep;
    sleepOvershoot = overshoot;
}

int64_t ScriptedClockNow()
{
    return simulatedCounter;
}

void ScriptedClockReset()
{
    simulatedCounter = 0;
    simulatedMilliseconds = 0;
    performanceCounterAvailable = true;
    fineSleep = true;
    simulatedStep = defaultStep;
    sleepOvershoot = 0;
}

static bool CounterFrequency(int64_t* ticksPerSecond)
{
    *ticksPerSecond = performanceCounterAvailable ? simulatedFrequency : 0;
    return performanceCounterAvailable;
}

static int64_t Counter()
{
    simulatedCounter += simulatedStep;
    return simulatedCounter;
}

static DWORD Milliseconds()
{
    simulatedMilliseconds += (DWORD)((simulatedStep + 999) / 1000);
    return simulatedMilliseconds;
}

static void SleepFor(DWORD milliseconds)
{
    int64_t slept = (int64_t)milliseconds * 1000 + sleepOvershoot;
    simulatedCounter += slept;
    simulatedMilliseconds += (DWORD)(slept / 1000);
}

static bool FineSleepAvailable()
{
    return fineSleep;
}

// Whole microseconds of the simulated counter, never shorter than asked.
static void SleepFine(int64_t hundredNanoseconds)
{
    int64_t slept = (hundredNanoseconds + 9) / 10 + sleepOvershoot;
    simulatedCounter += slept;
    simulatedMilliseconds += (DWORD)(slept / 1000);
}

static POINT CursorPosition()
{
    return setup.cursor ? setup.cursor() : cursorRest;
}

static int AnswerMessageBox(const std::string& text, const std::string& caption, UINT style)
{
    if (setup.messageBox)
        return setup.messageBox(text, caption, style);
    return (style & 0xF) == MB_YESNO ? IDYES : IDOK;
}

static bool DisplayModeAvailable(int, int, int)
{
    return setup.displayModeOk;
}

static BOOL TakeSound(const char* sound, DWORD)
{
    if (sound && setup.sound)
        setup.sound(sound);
    return TRUE;
}

static void Dropped(HWND, UINT, WPARAM, LPARAM)
{
}

// Every message comes from the driver; the machine's own events are taken and dropped, so
// that they do not pile up.
static void PumpEvents(HostPost)
{
    shownOn.pumpEvents(Dropped);
}

static bool Fails(const char* functionName)
{
    return setup.fails && setup.fails(functionName);
}

void ScriptedHostShowOn(const LayerHost& machine)
{
    shownOn = machine;
}

// The window and OpenGL entries, with the video's start and end, of the machine shown on.
static void FillVideo(LayerHost& host)
{
    host.startVideo = shownOn.startVideo;
    host.refusalReason = shownOn.refusalReason;
    host.endVideo = shownOn.endVideo;
    host.createWindow = shownOn.createWindow;
    host.destroyWindow = shownOn.destroyWindow;
    host.showWindow = shownOn.showWindow;
    host.raiseWindow = shownOn.raiseWindow;
    host.windowedCentred = shownOn.windowedCentred;
    host.drawableSize = shownOn.drawableSize;
    host.allowScreenSaver = shownOn.allowScreenSaver;
    host.createContext = shownOn.createContext;
    host.makeCurrent = shownOn.makeCurrent;
    host.releaseCurrent = shownOn.releaseCurrent;
    host.currentContext = shownOn.currentContext;
    host.deleteContext = shownOn.deleteContext;
    host.swap = shownOn.swap;
    host.setSwapInterval = shownOn.setSwapInterval;
    host.swapInterval = shownOn.swapInterval;
    host.glFunction = shownOn.glFunction;
    host.glExtension = shownOn.glExtension;
}

void InstallScriptedHost(const ScriptedHostSetup& newSetup)
{
    setup = newSetup;
    // The cursor is never moved or hidden, and the window keeps its size and place (the
    // driver's pictures are the game's own 800x600): those entries, and the steps of the main
    // loop's rhythm the driver does not watch, keep the record's do-nothing defaults.
    LayerHost host;
    FillVideo(host);
    host.counterFrequency = CounterFrequency;
    host.counter = Counter;
    host.milliseconds = Milliseconds;
    host.sleep = SleepFor;
    host.fineSleepAvailable = FineSleepAvailable;
    host.sleepFine = SleepFine;
    host.cursorPosition = CursorPosition;
    host.messageBox = AnswerMessageBox;
    host.displayModeAvailable = DisplayModeAvailable;
    host.playSound = TakeSound;
    host.pumpEvents = PumpEvents;
    if (setup.beforePeek)
        host.beforePeek = setup.beforePeek;
    if (setup.queueEmpty)
        host.queueEmpty = setup.queueEmpty;
    if (setup.frameStart)
        host.frameStart = setup.frameStart;
    if (setup.beforeSwap)
        host.beforeSwap = setup.beforeSwap;
    host.fails = Fails;
    host.reset = ScriptedClockReset;
    LayerInstallHost(&host);
}
