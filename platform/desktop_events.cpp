// The desktop host's events: SDL's events become Windows messages for the game's window.
#include "platform/layer.h"

// Whether the window is minimised (or hidden), so that a restore is told apart from a focus change.
static bool windowMinimized = false;

void DesktopResetEvents()
{
    windowMinimized = false;
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

static void TranslateEvent(const SDL_Event& event, HostPost post)
{
    if (!layerWindow)
        return;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        int vk = LayerVirtualKey(event.key.keysym);
        if (!vk)
            return;
        // Keys with Alt held, and F10, are system keys: the game's procedure does not see them
        // as key presses.
        bool alt = (event.key.keysym.mod & KMOD_ALT) != 0 || vk == VK_MENU;
        bool system = alt || vk == VK_F10;
        UINT message = event.type == SDL_KEYDOWN ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN)
                                                 : (system ? WM_SYSKEYUP : WM_KEYUP);
        post(layerWindow, message, (WPARAM)vk, KeyParam(event.key, alt));
        return;
    }
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
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
            PostActivate(post, true);
            return;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            PostActivate(post, false);
            return;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            layerWindow->clientWidth = event.window.data1;
            layerWindow->clientHeight = event.window.data2;
            post(layerWindow, WM_SIZE, SIZE_RESTORED,
                             MAKELPARAM(event.window.data1, event.window.data2));
            return;
        case SDL_WINDOWEVENT_CLOSE:
            post(layerWindow, WM_CLOSE, 0, 0);
            return;
        }
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
}

void LayerDropMachineEvents()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}
