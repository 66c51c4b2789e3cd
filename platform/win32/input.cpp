// The Windows build's own input, under the wrappers that let a session recorder watch: only the
// real API here, not the platform header's names for these.
#include "platform/win32/input.h"

#include "platform/input.h"
#include "platform/taps/tap_hold.h"
#include "platform/win32/gamepad.h"

// The window the controller's keys go to, and whether the controller is read before the next
// message: once a frame, before the messages that come ahead of the next one.
static HWND gameWindow = nullptr;
static bool gamepadDue = true;

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

BOOL TrimvaldInputPeek(LPMSG msg, HWND window, UINT first, UINT last, UINT remove)
{
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
    }
    return found;
}

// The controller's look moves the cursor mouse look reads, as the mouse would.
BOOL TrimvaldInputCursor(LPPOINT point)
{
    BOOL read = GetCursorPos(point);
    if (read) {
        POINT look = TrimvaldGamepadTakeLook();
        point->x += look.x;
        point->y += look.y;
    }
    return read;
}

LRESULT TrimvaldInputMessage(WNDPROC game, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    gameWindow = window;
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
        return game(window, message == WM_LBUTTONDOWN ? WM_KEYDOWN : WM_KEYUP, clickKey,
                    KeyChangeParam(message == WM_LBUTTONDOWN));
    if (message == WM_DESTROY)
        gameWindow = nullptr;
    return game(window, message, wParam, lParam);
}
