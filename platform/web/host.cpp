// The web host's record, its clock and its waits. The browser draws the page, runs its timers
// and hands over its events only between tasks, so every wait of the game is a return to the
// browser (Asyncify unwinds the game's stack and rewinds it when the browser calls back).
#include <emscripten.h>

#include <cmath>

#include "platform/web/web.h"

// The browser's clock, in milliseconds since the page started (performance.now()): fine to a
// few microseconds in a page of its own.
double WebNow()
{
    return emscripten_get_now();
}

// A timer of the browser's: nested timers are held to at least 4 ms.
EM_ASYNC_JS(void, WebTimerWait, (double milliseconds), {
    await new Promise(resolve => setTimeout(resolve, milliseconds));
});

// A message to ourselves comes back after whatever the browser has waiting, without a timer's
// clamp.
EM_ASYNC_JS(void, WebMessageWait, (), {
    if (!Module.trimvaldChannel) {
        const channel = new MessageChannel();
        Module.trimvaldChannel = channel;
        Module.trimvaldWaiting = [];
        channel.port1.onmessage = () => { const resolve = Module.trimvaldWaiting.shift(); if (resolve) resolve(); };
    }
    await new Promise(resolve => { Module.trimvaldWaiting.push(resolve); Module.trimvaldChannel.port2.postMessage(0); });
});

void WebYieldFor(double milliseconds)
{
    WebTimerWait(milliseconds);
}

void WebYieldOnce()
{
    WebMessageWait();
}

// A timer's clamp and its lateness together: what a timer may overrun by.
static const double timerSlack = 5.0;

// Sleeps to a time on the clock: a timer for most of it, then messages to ourselves until it has
// come. Either way the browser has had its turn at least once.
static void WaitUntil(double until)
{
    double left = until - WebNow();
    if (left > timerSlack)
        WebYieldFor(left - timerSlack);
    do
        WebYieldOnce();
    while (WebNow() < until);
}

static bool CounterFrequency(int64_t* ticksPerSecond)
{
    *ticksPerSecond = 1000000;
    return true;
}

// A clock read again within a millisecond is a wait reading out its last moments: the game's
// frame wait does so after its sleep, and the page would be frozen while it did. Each such read
// gives the browser its turn first (a message to ourselves), as a busy system would take the
// processor from a spinning thread; the game reads the clock only at a frame's start and in its
// wait, after the frame is drawn, so no half-drawn frame is shown.
static double lastCounterRead = -1.0;

static int64_t Counter()
{
    double now = WebNow();
    if (lastCounterRead >= 0.0 && now - lastCounterRead < 1.0) {
        WebYieldOnce();
        now = WebNow();
    }
    lastCounterRead = now;
    return (int64_t)std::floor(now * 1000.0);
}

static DWORD Milliseconds()
{
    return (DWORD)(uint64_t)std::floor(WebNow());
}

static void SleepFor(DWORD milliseconds)
{
    WaitUntil(WebNow() + milliseconds);
}

static bool FineSleepAvailable()
{
    return true;
}

static void SleepFine(int64_t hundredNanoseconds)
{
    WaitUntil(WebNow() + (double)hundredNanoseconds / 10000.0);
}

// A page can take the whole screen whatever its size; the picture keeps the game's size and the
// page scales it.
static bool DisplayModeAvailable(int, int, int)
{
    return WebFullscreenAvailable();
}

static void SetFullscreen(LayerWindow*, bool on)
{
    WebSetFullscreen(on);
}

static void PumpEvents(HostPost post)
{
    WebPumpEvents(post);
    WebGamepadPoll(post, WebPlaying());
}

static bool StartVideo()
{
    return true;
}

static void Reset()
{
    lastCounterRead = -1.0;
    WebResetSound();
    WebResetEvents();
    WebResetGamepad();
}

static LayerHost MakeWebHost()
{
    LayerHost host;
    WebFillVideo(host);
    host.counterFrequency = CounterFrequency;
    host.counter = Counter;
    host.milliseconds = Milliseconds;
    host.sleep = SleepFor;
    host.fineSleepAvailable = FineSleepAvailable;
    host.sleepFine = SleepFine;
    host.cursorPosition = WebCursorPosition;
    host.moveCursor = WebMoveCursor;
    host.showCursor = WebShowCursor;
    host.messageBox = WebMessageBox;
    host.displayModeAvailable = DisplayModeAvailable;
    host.setFullscreen = SetFullscreen;
    host.playSound = WebPlaySound;
    host.pumpEvents = PumpEvents;
    host.startVideo = StartVideo;
    host.reset = Reset;
    return host;
}

const LayerHost& WebHost()
{
    static const LayerHost webHost = MakeWebHost();
    return webHost;
}

void WebStart()
{
    WebLoadSettings();
    WebListen();
}

EM_JS(void, WebPageOffer, (const char* path), {
    if (Module.page && Module.page.offerDownload)
        Module.page.offerDownload(FS.readFile(UTF8ToString(path)));
});

void WebOfferDownload(const char* path)
{
    WebPageOffer(path);
}

EM_JS(void, WebPageEnded, (int code), {
    if (Module.page && Module.page.gameEnded)
        Module.page.gameEnded(code);
});

void WebGameEnded(int code)
{
    WebPageEnded(code);
}
