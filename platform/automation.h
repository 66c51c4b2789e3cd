// Automation hooks of the Linux layer: a driver (the headless replay tool, tests) installs them
// to answer message boxes, inject failures and input, run a simulated clock and record sounds.
// The game never calls these; with no hooks installed the layer behaves as a desktop program.
#pragma once

#include <cstdint>
#include <string>

#include "platform/winapi.h"

struct AutomationHooks {
    // Answers a message box instead of showing it: returns IDYES, IDNO or IDOK. Texts in UTF-8.
    int (*messageBox)(const std::string& text, const std::string& caption, UINT style) = nullptr;
    // True when every call of the named Windows function must fail.
    bool (*fails)(const char* functionName) = nullptr;
    // Whether the fullscreen display-mode change succeeds.
    bool displayModeOk = true;
    // Called at the top of every PeekMessageA: the end of the frame that ran before, if any.
    void (*beforePeek)() = nullptr;
    // Called by PeekMessageA when no message is waiting: the driver may post some now with
    // LayerPostMessage, and the first of them is returned; else a frame runs.
    void (*queueEmpty)() = nullptr;
    // Called when PeekMessageA finds no message, that is when the main loop runs a frame.
    void (*frameStart)() = nullptr;
    // Called by SwapBuffers before the buffers are swapped.
    void (*beforeSwap)() = nullptr;
    // The cursor position GetCursorPos reports.
    POINT (*cursor)() = nullptr;
    // Records a PlaySoundA call instead of playing it.
    void (*sound)(const char* file) = nullptr;
};

// Installs the hooks (copied) or, with nullptr, removes them. With hooks installed the layer
// also runs a simulated clock (every reading is 10 ms after the one before), keeps windows out
// of fullscreen, and drops the host's own window events.
void InstallAutomation(const AutomationHooks* hooks);

// Queues a message for the window, as PostMessageA does.
void LayerPostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Forgets queued messages, the quit request, windows and classes left by a failed teardown,
// the display-mode change and the cursor count, so
// that the game can be run again in the same process (tests do).
void LayerReset();

// What the layer knows of its one window, for checks.
struct LayerWindowInfo {
    bool exists = false;
    bool shown = false;
    bool fullscreen = false;   // fullscreen in the changed display mode
    int clientWidth = 0;
    int clientHeight = 0;
    int outerX = 0;            // outer top-left corner, in screen pixels
    int outerY = 0;
    DWORD style = 0;
    bool cursorVisible = true;
    bool displayModeChanged = false;
    bool screenSaverAllowed = true;
};
LayerWindowInfo LayerQueryWindow();

// Clock controls for unit tests of the frame timer: whether a performance counter exists, and
// the value of the millisecond clock. Only meaningful with automation installed.
void LayerSetPerformanceCounterAvailable(bool available);
void LayerSetMillisecondClock(DWORD now);
// How many times the clocks have been read since the program started.
long LayerClockReadings();

// What the sound player holds, for checks: the bytes still queued on the audio device, whether
// a device is open; and a reset that closes it and forgets a device that failed.
uint32_t LayerQueuedSoundBytes();
bool LayerSoundDeviceOpen();
void LayerResetSound();

// Converts Windows-1251 bytes to UTF-8 and back (characters cp1251 lacks become '?').
std::string Cp1251ToUtf8(const char* text);
std::string Utf8ToCp1251(const std::string& text);
