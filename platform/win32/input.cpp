// The Windows build's own input, under the wrappers that let a session recorder watch: only the
// real API here, not the platform header's names for these.
#include "platform/win32/input.h"

#include "platform/controls/controls.h"
#include "platform/input.h"
#include "platform/taps/tap_hold.h"
#include "platform/win32/gamepad.h"

// The window the controller's keys go to, and whether the controller is read before the next
// message: once a frame, before the messages that come ahead of the next one.
static HWND gameWindow = nullptr;
static bool gamepadDue = true;

// A message as the game is to hear it, through the player's bindings: a key (by the scan code
// in its lParam, bits 16 to 23 and the extended bit 24, or by the layout's virtual key under
// `keys = layout`) or a bound mouse button becomes the key of its action; false for a key no
// action has, which the game is not to hear at all. System keys (Alt held, F10) and the rest
// are left as they are.
static bool AsTheGameHears(MSG& msg)
{
    int control = 0;
    bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
    bool down = msg.message == WM_KEYDOWN || msg.message == WM_LBUTTONDOWN ||
                msg.message == WM_MBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
                msg.message == WM_XBUTTONDOWN;
    if (key) {
        int scanCode = (int)((msg.lParam >> 16) & 0xFF);
        bool extended = ((msg.lParam >> 24) & 1) != 0;
        control = ControlOfKey(ControlOfScanCode(scanCode, extended), (int)msg.wParam);
    } else if (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP)
        control = ControlOfMouseButton(1);
    else if (msg.message == WM_MBUTTONDOWN || msg.message == WM_MBUTTONUP)
        control = ControlOfMouseButton(2);
    else if (msg.message == WM_RBUTTONDOWN || msg.message == WM_RBUTTONUP)
        control = ControlOfMouseButton(3);
    else if (msg.message == WM_XBUTTONDOWN || msg.message == WM_XBUTTONUP)
        control = ControlOfMouseButton(HIWORD(msg.wParam) == XBUTTON1 ? 4 : 5);
    else
        return true;
    int vk = ControlsKeyChange(control, down);
    if (!vk)
        return !key;
    if (!key) {
        msg.message = down ? WM_KEYDOWN : WM_KEYUP;
        msg.lParam = KeyChangeParam(down);
    }
    msg.wParam = (WPARAM)vk;
    return true;
}

static bool KeyMessage(const MSG& msg)
{
    return msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
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
    if (holding && (remove & PM_REMOVE)) {
        *msg = heldBack;
        holding = false;
        found = TRUE;
    } else {
        found = PeekMessageA(msg, window, first, last, remove);
        // Keys no action has are taken off the queue unheard.
        while (found && (remove & PM_REMOVE) && !AsTheGameHears(*msg))
            found = PeekMessageA(msg, window, first, last, remove);
        if (found && (remove & PM_REMOVE) && KeyMessage(*msg) &&
            TapMustWait(msg->message, msg->wParam)) {
            heldBack = *msg;
            holding = true;
            found = FALSE;
        }
    }
    if (found && (remove & PM_REMOVE) && KeyMessage(*msg))
        TapHandedOver(msg->message, msg->wParam);
    if (!found) {
        TapFrameRuns();
        gamepadDue = true;
    }
    return found;
}

// The mouse's motion since the game put the cursor back (mouse look puts it at cursorRest every
// frame) by the player's sensitivity and inversion, and the controller's look added, as the
// mouse would move it.
BOOL TrimvaldInputCursor(LPPOINT point)
{
    BOOL read = GetCursorPos(point);
    if (read) {
        int dx, dy;
        ControlsMouseMotion((int)(point->x - cursorRest.x), (int)(point->y - cursorRest.y), dx, dy);
        POINT look = TrimvaldGamepadTakeLook();
        point->x = cursorRest.x + dx + look.x;
        point->y = cursorRest.y + dy + look.y;
    }
    return read;
}

LRESULT TrimvaldInputMessage(WNDPROC game, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    gameWindow = window;
    if (message == WM_DESTROY)
        gameWindow = nullptr;
    return game(window, message, wParam, lParam);
}
