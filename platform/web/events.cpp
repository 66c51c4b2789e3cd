// The web host's events: the page's keys, mouse, focus and visibility become the game window's
// messages. The browser's callbacks only queue what happened; the game's PeekMessageA hands it
// over (through whoever watches the host, a session recorder too).
//
// The mouse: the game steers by reading the cursor and putting it back at a fixed point every
// frame; as on the desktop, the pointer is locked to the canvas instead (a click on the game
// asks for the lock, which the browser grants only then), and the cursor the game sees is its
// last set point plus the motion since.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <deque>
#include <set>

#include "platform/controls/controls.h"
#include "platform/input.h"
#include "platform/web/keymap.h"
#include "platform/web/web.h"

namespace {

struct Queued {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::deque<Queued> queued;
// Keys the game was told are down, released when the game loses the keys.
std::set<int> keysDown;
bool focused = true;
bool hidden = false;
bool locked = false;
bool dialogOpen = false;
bool cursorShown = true;
bool pointerWanted = true;
POINT anchor = cursorRest;
long motionX = 0, motionY = 0;

void Queue(UINT message, WPARAM wParam, LPARAM lParam)
{
    queued.push_back(Queued{message, wParam, lParam});
}

// The key message's lParam: repeat count 1, the key's place, the Alt context bit, the previous
// state and the transition bits.
LPARAM KeyParam(bool down, bool repeat, bool alt, int vk)
{
    DWORD value = 1u | ((DWORD)(vk & 0xFF) << 16);
    if (alt)
        value |= 1u << 29;
    if (!down)
        value |= (1u << 30) | (1u << 31);
    else if (repeat)
        value |= 1u << 30;
    return (LPARAM)value;
}

void ReleaseKeys()
{
    for (int vk : keysDown)
        Queue(WM_KEYUP, (WPARAM)vk, KeyChangeParam(false));
    keysDown.clear();
    ControlsResetKeys();
}

void Activate(bool active)
{
    Queue(WM_ACTIVATE, MAKEWPARAM(active ? WA_ACTIVE : WA_INACTIVE, hidden ? 1 : 0), 0);
}

// The page's own dialog (the settings) has the keys while it is open.
EM_JS(int, WebPageOwnsKeys, (), {
    return Module.page && Module.page.ownsKeys && Module.page.ownsKeys() ? 1 : 0;
});

// The browser's own keys stay the browser's: with Control or Meta held, and F5, F11, F12.
bool BrowsersKey(const EmscriptenKeyboardEvent* event, int vk)
{
    return event->ctrlKey || event->metaKey || vk == 0x74 || vk == 0x7A || vk == 0x7B;
}

// The key as the player's bindings name it: by its place, or by the layout's key under
// `keys = layout` (and where the browser gives no place).
int KeyControl(const EmscriptenKeyboardEvent* event, int layoutKey)
{
    int control = ControlsInstalled().keysByLayout ? 0 : ControlOfUsage(WebKeyUsage(event->code));
    return control ? control : ControlOfLayoutKey(layoutKey);
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* event, void*)
{
    if (!layerWindow || !WebPlaying())
        return EM_FALSE;
    // A key let go in the page's dialog lets go of every key the game holds.
    if (WebPageOwnsKeys()) {
        ReleaseKeys();
        return EM_FALSE;
    }
    int layoutKey = WebVirtualKey(event->key, event->code);
    if (!layoutKey || BrowsersKey(event, layoutKey))
        return EM_FALSE;
    bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    // Keys with Alt held, and Alt and F10 themselves, are system keys: the game's procedure
    // does not see them as key presses, and they keep the layout's keys.
    bool alt = event->altKey || layoutKey == VK_MENU;
    if (alt || layoutKey == VK_F10) {
        Queue(down ? WM_SYSKEYDOWN : WM_SYSKEYUP, (WPARAM)layoutKey,
              KeyParam(down, event->repeat, alt, layoutKey));
        return EM_TRUE;
    }
    // Any other key reaches the game only as the key of the action it is bound to, its
    // repeats as its first press.
    int vk = ControlsKeyChange(KeyControl(event, layoutKey), down);
    if (vk) {
        if (down)
            keysDown.insert(vk);
        else
            keysDown.erase(vk);
        Queue(down ? WM_KEYDOWN : WM_KEYUP, (WPARAM)vk, KeyParam(down, event->repeat, false, vk));
    }
    // The page's own use of the game's keys (help on F1, scrolling on Space and the arrows,
    // finding in the page) is kept from it while the game has the keys.
    return EM_TRUE;
}

EM_BOOL OnMouseButton(int type, const EmscriptenMouseEvent* event, void*)
{
    if (!layerWindow || event->button > 4)
        return EM_FALSE;
    bool down = type == EMSCRIPTEN_EVENT_MOUSEDOWN;
    if (!locked) {
        // The click that takes the pointer is the player's way into the game, not a cast.
        if (down && event->button == 0 && !dialogOpen && pointerWanted)
            emscripten_request_pointerlock("#canvas", EM_FALSE);
        return EM_TRUE;
    }
    // The page numbers the buttons from 0 (left, middle, right, back, forward); the bindings
    // from 1.
    int vk = ControlsKeyChange(ControlOfMouseButton(event->button + 1), down);
    if (vk) {
        if (down)
            keysDown.insert(vk);
        else
            keysDown.erase(vk);
        Queue(down ? WM_KEYDOWN : WM_KEYUP, (WPARAM)vk, KeyChangeParam(down));
    }
    return EM_TRUE;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* event, void*)
{
    // Motion while the pointer is the player's own is not the game's to turn by.
    // The player's sensitivity and inversion apply before the game reads the cursor (and a
    // recorder with it).
    if (locked && WebPlaying()) {
        int gameX, gameY;
        ControlsMouseMotion(event->movementX, event->movementY, gameX, gameY);
        motionX += gameX;
        motionY += gameY;
    }
    return EM_FALSE;
}

EM_BOOL OnPointerLock(int, const EmscriptenPointerlockChangeEvent* event, void*)
{
    locked = event->isActive;
    // The pointer given back lets go of what the game holds: the buttons' keys too.
    if (!locked)
        ReleaseKeys();
    return EM_FALSE;
}

EM_BOOL OnFocus(int type, const EmscriptenFocusEvent*, void*)
{
    bool now = type == EMSCRIPTEN_EVENT_FOCUS;
    if (now == focused)
        return EM_FALSE;
    focused = now;
    if (!focused)
        ReleaseKeys();
    if (layerWindow)
        Activate(focused);
    return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* event, void*)
{
    bool now = event->hidden != 0;
    if (now == hidden)
        return EM_FALSE;
    hidden = now;
    if (hidden)
        ReleaseKeys();
    if (layerWindow)
        Activate(!hidden && focused);
    return EM_FALSE;
}

// Leaving fullscreen (Escape held, another window) is a lost focus, as on the desktop; the
// player's next click on the game takes it back.
EM_BOOL OnFullscreen(int, const EmscriptenFullscreenChangeEvent* event, void*)
{
    if (!event->isFullscreen && layerWindow && focused) {
        ReleaseKeys();
        Activate(false);
        Activate(true);
    }
    return EM_FALSE;
}

}  // namespace

// The page's dialog is open: its keys are its own (dialog.cpp tells).
void WebDialogShowing(bool open)
{
    dialogOpen = open;
    if (open) {
        ReleaseKeys();
        if (locked)
            emscripten_exit_pointerlock();
    }
}

void WebLeavePointer()
{
    pointerWanted = false;
}

bool WebPlaying()
{
    return focused && !hidden && !dialogOpen;
}

void WebListen()
{
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    const char* document = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(window, nullptr, EM_TRUE, OnKey);
    emscripten_set_mousedown_callback("#canvas", nullptr, EM_TRUE, OnMouseButton);
    emscripten_set_mouseup_callback(document, nullptr, EM_TRUE, OnMouseButton);
    emscripten_set_mousemove_callback(document, nullptr, EM_TRUE, OnMouseMove);
    emscripten_set_pointerlockchange_callback(document, nullptr, EM_TRUE, OnPointerLock);
    emscripten_set_focus_callback(window, nullptr, EM_TRUE, OnFocus);
    emscripten_set_blur_callback(window, nullptr, EM_TRUE, OnFocus);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, OnVisibility);
    emscripten_set_fullscreenchange_callback(document, nullptr, EM_TRUE, OnFullscreen);
}

void WebPumpEvents(HostPost post)
{
    if (!layerWindow) {
        queued.clear();
        return;
    }
    while (!queued.empty()) {
        Queued next = queued.front();
        queued.pop_front();
        post(layerWindow, next.message, next.wParam, next.lParam);
    }
}

void WebResetEvents()
{
    queued.clear();
    keysDown.clear();
    ControlsResetKeys();
    motionX = motionY = 0;
    anchor = cursorRest;
}

POINT WebCursorPosition()
{
    POINT point;
    point.x = (LONG)(anchor.x + motionX);
    point.y = (LONG)(anchor.y + motionY);
    return point;
}

void WebMoveCursor(int x, int y)
{
    anchor.x = x;
    anchor.y = y;
    motionX = motionY = 0;
}

void WebMouseLook(int dx, int dy)
{
    if (!WebPlaying())
        return;
    motionX += dx;
    motionY += dy;
}

EM_JS(void, WebPageCursor, (int shown), {
    if (Module.page && Module.page.cursor)
        Module.page.cursor(!!shown);
});

void WebShowCursor(bool visible)
{
    if (visible == cursorShown)
        return;
    cursorShown = visible;
    WebPageCursor(visible ? 1 : 0);
}
