// The wrappers that let a session recorder watch the game's calls on Windows, and through which
// a controller's keys and look reach the game. Only the real API here, not the platform
// header's names for these.
#include "platform/win32/capture.h"

#include <mmsystem.h>

#include "platform/input.h"
#include "platform/taps/tap_hold.h"
#include "platform/win32/gamepad.h"

static TrimvaldCapture installed;
static bool capturing = false;
// Messages sent while the window is made and shown come from the game's own calls, which a
// replay makes again: only those that reach it once the main loop runs are the player's.
static bool loopRunning = false;
static WNDPROC gameProcedure = nullptr;
static HWND gameWindow = nullptr;
// The controller is read once a frame, before the messages that come ahead of the next one.
static bool gamepadDue = true;

void TrimvaldInstallCapture(const TrimvaldCapture* capture)
{
    capturing = capture != nullptr;
    if (capture)
        installed = *capture;
}

const TrimvaldCapture* TrimvaldCurrentCapture()
{
    return capturing ? &installed : nullptr;
}

// A key message as the game hears it: the left button is E.
static bool KeyMessage(const MSG& msg, UINT& message, WPARAM& key)
{
    bool button = msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP;
    message = !button ? msg.message : msg.message == WM_LBUTTONDOWN ? WM_KEYDOWN : WM_KEYUP;
    key = button ? clickKey : msg.wParam;
    return message == WM_KEYDOWN || message == WM_KEYUP;
}

// A tap's release taken off the queue and kept back for the frame that sees the press; the
// messages behind it stay in the queue, so it is handed over first at the next call.
static MSG heldBack;
static bool holding = false;

BOOL WINAPI TrimvaldPeekMessage(LPMSG msg, HWND window, UINT first, UINT last, UINT remove)
{
    loopRunning = true;
    if (capturing)
        installed.beforePeek();
    if (gamepadDue) {
        gamepadDue = false;
        TrimvaldGamepadPoll(gameWindow);
    }
    BOOL found;
    UINT message;
    WPARAM key;
    if (holding && (remove & PM_REMOVE)) {
        *msg = heldBack;
        holding = false;
        found = TRUE;
    } else {
        found = PeekMessageA(msg, window, first, last, remove);
        if (found && (remove & PM_REMOVE) && KeyMessage(*msg, message, key) &&
            TapMustWait(message, key)) {
            heldBack = *msg;
            holding = true;
            found = FALSE;
        }
    }
    if (found && (remove & PM_REMOVE) && KeyMessage(*msg, message, key))
        TapHandedOver(message, key);
    if (!found) {
        TapFrameRuns();
        gamepadDue = true;
        if (capturing)
            installed.frameStart();
    }
    return found;
}

// The controller's look moves the cursor mouse look reads, as the mouse would.
BOOL WINAPI TrimvaldGetCursorPos(LPPOINT point)
{
    BOOL read = GetCursorPos(point);
    if (read) {
        POINT look = TrimvaldGamepadTakeLook();
        point->x += look.x;
        point->y += look.y;
    }
    if (read && capturing)
        installed.cursor(*point);
    return read;
}

// Only the switch to a mode counts; the return to the desktop's (no mode) is the game's own.
LONG WINAPI TrimvaldChangeDisplaySettings(DEVMODEA* mode, DWORD flags)
{
    LONG result = ChangeDisplaySettingsA(mode, flags);
    if (mode && capturing)
        installed.displayMode(result == DISP_CHANGE_SUCCESSFUL);
    return result;
}

BOOL WINAPI TrimvaldPlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    if (sound && capturing)
        installed.sound(sound);
    return PlaySoundA(sound, module, flags);
}

// Minimising sizes the window to nothing; what a replay needs of it is the minimising itself.
// The left mouse button casts, as E does (a click to fire, as in every first-person game): the
// game's procedure hears it as the key.
static LRESULT CALLBACK CaptureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    gameWindow = window;
    if (capturing && loopRunning && !(message == WM_SIZE && wParam == SIZE_MINIMIZED))
        installed.windowMessage(message, wParam, lParam);
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
        return gameProcedure(window, message == WM_LBUTTONDOWN ? WM_KEYDOWN : WM_KEYUP, clickKey,
                             KeyChangeParam(message == WM_LBUTTONDOWN));
    if (message == WM_DESTROY)
        gameWindow = nullptr;
    return gameProcedure(window, message, wParam, lParam);
}

ATOM WINAPI TrimvaldRegisterClass(const WNDCLASSA* windowClass)
{
    if (!windowClass)
        return RegisterClassA(windowClass);
    WNDCLASSA watched = *windowClass;
    gameProcedure = windowClass->lpfnWndProc;
    watched.lpfnWndProc = CaptureProcedure;
    return RegisterClassA(&watched);
}
