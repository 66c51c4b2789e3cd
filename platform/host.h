// The machine under the layer, for the hosts and the programs that install them. The Windows
// calls of the layer are written once, as Windows behaves; what they need from the machine they
// take from one host record: the clock, the mouse, dialogs, the display mode, sound output, the
// machine's events, the main loop's rhythm, failure injection, and the window with its OpenGL
// context. Two hosts fill it: the desktop host (SDL, a player's machine;
// platform/desktop/desktop_host.h) and the scripted host (a simulated machine for the replay
// driver and the tests). A host that watches another, such as
// a session recorder, copies the other's record and wraps the entries it writes down. Here too
// are the layer's calls for the programs: its reset between runs, its end, and what it tells
// checks.
#pragma once

#include <cstdint>
#include <string>

#include "platform/layer/winapi.h"

struct LayerWindow;
// The machine's own window and OpenGL context, as the host made them: the layer only keeps them
// and hands them back.
struct HostWindow;
struct HostContext;

// Where a host delivers the messages its machine's events turn into (normally LayerPostMessage).
typedef void (*HostPost)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Every entry starts as one that does nothing (a machine without a clock, a cursor, a display
// or a sound): a host sets the entries it has by name, so that two of one type cannot be
// swapped unseen.
struct LayerHost {
    // Clock: the performance counter's ticks per second (false when the machine has none), its
    // reading, and the millisecond clock that wraps at 2^32.
    bool (*counterFrequency)(int64_t* ticksPerSecond) = [](int64_t* ticks) { *ticks = 0; return false; };
    int64_t (*counter)() = []() -> int64_t { return 0; };
    DWORD (*milliseconds)() = []() -> DWORD { return 0; };
    // Sleeping: gives the processor away for at least this many milliseconds (Sleep's work);
    // whether the machine can sleep finer, and for at least this many 100 ns units, ending
    // within a fraction of a millisecond of that (a high-resolution waitable timer's wait).
    void (*sleep)(DWORD milliseconds) = [](DWORD) {};
    bool (*fineSleepAvailable)() = []() { return false; };
    void (*sleepFine)(int64_t hundredNanoseconds) = [](int64_t) {};

    // Mouse: where the cursor is, putting it somewhere, and whether it is seen.
    POINT (*cursorPosition)() = []() { return POINT{0, 0}; };
    void (*moveCursor)(int x, int y) = [](int, int) {};
    void (*showCursor)(bool visible) = [](bool) {};

    // Dialogs: shows a message box (texts in UTF-8, the Windows style bits) and returns IDYES,
    // IDNO or IDOK (0: no box could be shown).
    int (*messageBox)(const std::string& text, const std::string& caption, UINT style) =
        [](const std::string&, const std::string&, UINT) { return 0; };

    // Display: whether the machine can show a fullscreen mode of this size and depth, and
    // putting the window into it or back to the desktop.
    bool (*displayModeAvailable)(int width, int height, int bits) = [](int, int, int) { return false; };
    void (*setFullscreen)(LayerWindow* window, bool on) = [](LayerWindow*, bool) {};

    // Sound output: PlaySoundA's work (a wave file named with backslashes, or nullptr to stop).
    BOOL (*playSound)(const char* sound, DWORD flags) = [](const char*, DWORD) -> BOOL { return FALSE; };

    // Events: turns the machine's pending events into window messages for `post`.
    void (*pumpEvents)(HostPost post) = [](HostPost) {};

    // The main loop's rhythm: the top of every PeekMessageA (the end of the frame that ran
    // before, if any); an empty message queue (the host may post messages now, and the first is
    // returned); a frame starting (PeekMessageA found nothing); the swap, before the buffers turn.
    void (*beforePeek)() = []() {};
    void (*queueEmpty)() = []() {};
    void (*frameStart)() = []() {};
    void (*beforeSwap)() = []() {};

    // Failure injection: true when every call of the named Windows function must fail.
    bool (*fails)(const char* functionName) = [](const char*) { return false; };

    // Video: brings up the machine's windows and OpenGL, once (true while they are up; false
    // when the machine has no display); the machine's own words for the last thing it refused
    // (the refusal notes end with them); the end of its video, at the end of the process.
    bool (*startVideo)() = []() { return false; };
    std::string (*refusalReason)() = []() { return std::string("no machine"); };
    void (*endVideo)() = []() {};

    // The window: made hidden, for OpenGL drawing (double-buffered, a depth buffer of 16 bits,
    // 5 bits a colour at least), at an outer corner with a client size, without a frame or
    // resizable as asked, with its caption in UTF-8 (nullptr: the machine refused); destroyed;
    // shown or hidden; raised to the front with the keyboard; taken out of fullscreen and
    // centred on the desktop; the size of what OpenGL draws in, in pixels.
    HostWindow* (*createWindow)(const std::string& caption, int x, int y, int width, int height,
                                bool frameless, bool resizable) =
        [](const std::string&, int, int, int, int, bool, bool) -> HostWindow* { return nullptr; };
    void (*destroyWindow)(HostWindow* window) = [](HostWindow*) {};
    void (*showWindow)(HostWindow* window, bool shown) = [](HostWindow*, bool) {};
    void (*raiseWindow)(HostWindow* window) = [](HostWindow*) {};
    void (*windowedCentred)(HostWindow* window) = [](HostWindow*) {};
    void (*drawableSize)(HostWindow* window, int* width, int* height) =
        [](HostWindow*, int* width, int* height) { *width = *height = 0; };
    // The screen saver and the monitor's power saving: allowed to start, or held off.
    void (*allowScreenSaver)(bool allowed) = [](bool) {};

    // OpenGL: a context for the window, left not current (nullptr: refused); making one current
    // on the window (false: refused); leaving none current; the one current now (nullptr: none);
    // deleting one; the swap; the swap interval asked for (false: refused) and the one kept; a
    // driver's function by name, and whether the driver has an extension.
    HostContext* (*createContext)(HostWindow* window) = [](HostWindow*) -> HostContext* { return nullptr; };
    bool (*makeCurrent)(HostWindow* window, HostContext* context) =
        [](HostWindow*, HostContext*) { return false; };
    void (*releaseCurrent)() = []() {};
    HostContext* (*currentContext)() = []() -> HostContext* { return nullptr; };
    void (*deleteContext)(HostContext* context) = [](HostContext*) {};
    void (*swap)(HostWindow* window) = [](HostWindow*) {};
    bool (*setSwapInterval)(int interval) = [](int) { return false; };
    int (*swapInterval)() = []() { return 0; };
    void* (*glFunction)(const char* name) = [](const char*) -> void* { return nullptr; };
    bool (*glExtension)(const char* name) = [](const char*) { return false; };

    // Puts the host's own state back as at program start (LayerReset calls it for every host
    // installed since the last reset).
    void (*reset)() = []() {};
};

// The host a process falls back on, chosen by its entry before the game starts (the layer
// names none): installed now (copied), and again by LayerInstallHost(nullptr) and LayerReset.
// Until an entry chooses, the layer has a host whose every entry does nothing.
void LayerSetDefaultHost(const LayerHost& host);

// Installs a host (copied) or, with nullptr, the default host again.
void LayerInstallHost(const LayerHost* host);

// The host installed now.
const LayerHost& LayerCurrentHost();

// Installs a host around another (a session recorder around the desktop host, a watcher around
// the scripted one): `under` is kept in `kept`, where the wrapping entries hand their calls on,
// and the host installed is a copy of it with the entries `wrap` sets.
void LayerInstallAround(const LayerHost& under, LayerHost& kept, void (*wrap)(LayerHost& host));

// Queues a message for the window, as PostMessageA does.
void LayerPostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Returns the layer to its state at program start: no queued messages or quit request, no
// windows or classes (a failed teardown may leave some), no display-mode change, the cursor
// count at 0, the screen saver allowed, the clocks' reading count at 0, every host installed
// since the last reset back at its own start (the desktop: sound device closed, no signal
// waiting; the scripted host: its clock at 0), and the default host installed. A process started
// as a player's desktop stays one.
void LayerReset();

// What the machine refused the game since the last reset, not asked for by failure injection:
// the first window, OpenGL context or video start that could not be had, with the machine's
// reason ("the window cannot be made (SDL: ...)"); empty when nothing was refused.
const std::string& LayerMachineRefusal();

// What the layer knows of its one window, for checks.
struct LayerWindowInfo {
    bool exists = false;
    bool shown = false;
    bool fullscreen = false;   // fullscreen over the desktop, as the display-mode change asked
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

// How many times the clocks have been read since the program started.
long LayerClockReadings();

// The layer's end, at the end of the process: the hosts are reset (the sound loader's thread
// stops), then the machine's video ends.
void LayerEnd();
