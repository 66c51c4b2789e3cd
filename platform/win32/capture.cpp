// The wrappers that let a session recorder watch the game's calls on Windows. Each makes the
// call with the build's own input (input.cpp), which the game gets whether or not a session is
// recorded, and tells the capture installed, if any. Only the real API here, not the platform
// header's names for these.
#include "platform/win32/capture.h"

#include <mmsystem.h>

#include "platform/win32/input.h"

static TrimvaldCapture installed;
static bool capturing = false;
// Messages sent while the window is made and shown come from the game's own calls, which a
// replay makes again: only those that reach it once the main loop runs are the player's.
static bool loopRunning = false;
static WNDPROC gameProcedure = nullptr;

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

BOOL WINAPI TrimvaldPeekMessage(LPMSG msg, HWND window, UINT first, UINT last, UINT remove)
{
    loopRunning = true;
    if (capturing)
        installed.beforePeek();
    BOOL found = TrimvaldInputPeek(msg, window, first, last, remove);
    if (!found && capturing)
        installed.frameStart();
    return found;
}

BOOL WINAPI TrimvaldGetCursorPos(LPPOINT point)
{
    BOOL read = TrimvaldInputCursor(point);
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
// Keys and bound clicks come as the game's keys already (input.cpp).
static LRESULT CALLBACK CaptureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (capturing && loopRunning && !(message == WM_SIZE && wParam == SIZE_MINIMIZED))
        installed.windowMessage(message, wParam, lParam);
    return TrimvaldInputMessage(gameProcedure, window, message, wParam, lParam);
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
