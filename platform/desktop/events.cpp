// The desktop host's events: SDL's events become Windows messages for the game's window.
#include "platform/controls/controls.h"
#include "platform/desktop/desktop.h"
#include "platform/input.h"

// Whether the window is minimised (or hidden), so that a restore is told apart from a focus
// change, and whether it has the keyboard focus; the mouse is captured only while both allow.
static bool windowMinimized = false;
static bool windowFocused = false;

void DesktopResetEvents()
{
    windowMinimized = false;
    windowFocused = false;
    ControlsResetKeys();
    DesktopResetMouse();
    DesktopResetGamepad();
}

// The key message's lParam: repeat count 1, the scan code, the Alt context bit, the previous
// state and the transition bits.
static LPARAM KeyParam(const SDL_KeyboardEvent& event, bool alt)
{
    DWORD value = 1u | ((DWORD)(event.keysym.scancode & 0xFF) << 16);
    if (alt)
        value |= 1u << 29;
    if (event.type == SDL_KEYUP)
        value |= (1u << 30) | (1u << 31);
    else if (event.repeat)
        value |= 1u << 30;
    return (LPARAM)value;
}

static void PostActivate(HostPost post, bool active)
{
    post(layerWindow, WM_ACTIVATE,
                     MAKEWPARAM(active ? WA_ACTIVE : WA_INACTIVE, windowMinimized ? 1 : 0), 0);
}

// The window's own events: minimising and restoring (the only changes the game hears of as
// activation), focus, size and closing.
static void TranslateWindowEvent(const SDL_WindowEvent& event, HostPost post)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        windowMinimized = true;
        PostActivate(post, false);
        return;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_MAXIMIZED:
        if (!windowMinimized)
            return;
        windowMinimized = false;
        PostActivate(post, true);
        return;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        windowFocused = true;
        PostActivate(post, true);
        return;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        windowFocused = false;
        PostActivate(post, false);
        return;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        // In fullscreen the window covers the desktop, but the game keeps its 800x600 picture,
        // which the swap scales: its client area stays the display mode's size.
        if (layerWindow->fullscreen)
            return;
        layerWindow->clientWidth = event.data1;
        layerWindow->clientHeight = event.data2;
        post(layerWindow, WM_SIZE, SIZE_RESTORED, MAKELPARAM(event.data1, event.data2));
        return;
    case SDL_WINDOWEVENT_CLOSE:
        post(layerWindow, WM_CLOSE, 0, 0);
        return;
    }
}

static void TranslateEvent(const SDL_Event& event, HostPost post)
{
    if (!layerWindow)
        return;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        // Keys with Alt held, and Alt and F10 themselves, are system keys: the game's procedure
        // does not see them as key presses, and they keep the layout's keys (Alt+F4 closes).
        int layoutKey = DesktopVirtualKey(event.key.keysym);
        bool alt = (event.key.keysym.mod & KMOD_ALT) != 0 || layoutKey == VK_MENU;
        bool down = event.type == SDL_KEYDOWN;
        if (alt || layoutKey == VK_F10) {
            if (layoutKey)
                post(layerWindow, down ? WM_SYSKEYDOWN : WM_SYSKEYUP, (WPARAM)layoutKey,
                     KeyParam(event.key, alt));
            return;
        }
        // Any other key reaches the game only as the key of the action it is bound to.
        int vk = ControlsKeyChange(DesktopKeyControl(event.key.keysym), down);
        if (vk)
            post(layerWindow, down ? WM_KEYDOWN : WM_KEYUP, (WPARAM)vk, KeyParam(event.key, false));
        return;
    }
    case SDL_MOUSEMOTION:
        DesktopMouseMotion(event.motion.xrel, event.motion.yrel);
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        // SDL numbers the buttons as the bindings do: left, middle, right, the two side ones.
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        int vk = ControlsKeyChange(ControlOfMouseButton(event.button.button), down);
        if (vk)
            post(layerWindow, down ? WM_KEYDOWN : WM_KEYUP, (WPARAM)vk, KeyChangeParam(down));
        return;
    }
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
        DesktopGamepadEvent(event, post);
        return;
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event.window, post);
        DesktopMouseWindowState(windowFocused, windowMinimized);
        return;
    case SDL_QUIT:
        post(layerWindow, WM_CLOSE, 0, 0);
        return;
    }
}

void DesktopPumpEvents(HostPost post)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        TranslateEvent(event, post);
    DesktopGamepadPoll(post, windowFocused && !windowMinimized);
}
