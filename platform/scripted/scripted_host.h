// The scripted host: a simulated machine for the replay driver and the tests. Its clock moves
// 10 ms at every reading, so a frame's busy-wait ends at once; the cursor, the dialogs' answers,
// the display mode and the failures come from the driver; sounds are handed to the driver
// instead of played; windows stay out of fullscreen and the machine's own events are dropped.
#pragma once

#include <string>

#include "platform/host.h"

struct ScriptedHostSetup {
    // Answers a message box (texts in UTF-8): IDYES, IDNO or IDOK. None: Yes, or OK.
    int (*messageBox)(const std::string& text, const std::string& caption, UINT style) = nullptr;
    // True when every call of the named Windows function must fail. None: nothing fails.
    bool (*fails)(const char* functionName) = nullptr;
    // Whether the fullscreen display-mode change succeeds.
    bool displayModeOk = true;
    // The main loop's rhythm, as in LayerHost; each may be left out.
    void (*beforePeek)() = nullptr;
    void (*queueEmpty)() = nullptr;
    void (*frameStart)() = nullptr;
    void (*beforeSwap)() = nullptr;
    // The cursor position GetCursorPos reports. None: cursorRest, where the game puts it back.
    POINT (*cursor)() = nullptr;
    // Takes a PlaySoundA call's file instead of playing it.
    void (*sound)(const char* file) = nullptr;
};

// Installs the scripted host with this set-up (copied); LayerInstallHost(nullptr) removes it.
void InstallScriptedHost(const ScriptedHostSetup& setup);

// The machine the runs are drawn on, chosen by the program's entry (copied; kept through
// resets): its video start, the refusal's words, the video's end, and its window, OpenGL context,
// swap and screen-saver entries are the scripted host's, and its events are pumped and dropped.
// Until an entry chooses, the scripted machine has no display (the video does not start).
void ScriptedHostShowOn(const LayerHost& machine);

// The Linux programs' machine (platform/scripted/sdl_machine.cpp): SDL's video on whatever
// driver SDL finds, a virtual X server or the offscreen driver.
LayerHost ScriptedSdlMachine();

// The simulated clock, for tests of the frame timer and the pacing: whether the machine has a
// performance counter, whether it can sleep finer than a millisecond (a high-resolution
// waitable timer; at first it can), the millisecond clock's value, how far apart readings are
// and how much longer than asked a sleep lasts (microseconds; 10 ms and 0 at first), the
// counter's value without reading it, and all of it back as at first with the clocks at 0.
void ScriptedClockSetPerformanceCounter(bool available);
void ScriptedClockSetFineSleep(bool available);
void ScriptedClockSetMilliseconds(DWORD now);
void ScriptedClockSetPace(int64_t readingStep, int64_t sleepOvershoot);
int64_t ScriptedClockNow();
void ScriptedClockReset();
