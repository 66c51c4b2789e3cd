// The message queue: SDL events become Windows messages for the window procedure.
#include "platform/layer.h"

static std::deque<MSG> queue;
static bool quitPending = false;
static int quitCode = 0;
static bool windowMinimized = false;

void LayerResetMessages()
{
    queue.clear();
    quitPending = false;
    quitCode = 0;
    windowMinimized = false;
}

void LayerPostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg = {};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    queue.push_back(msg);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LayerPostMessage(window, message, wParam, lParam);
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!window || window != layerWindow || !window->procedure)
        return 0;
    return window->procedure(window, message, wParam, lParam);
}

void WINAPI PostQuitMessage(int exitCode)
{
    quitPending = true;
    quitCode = exitCode;
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

static void PostActivate(bool active)
{
    LayerPostMessage(layerWindow, WM_ACTIVATE,
                     MAKEWPARAM(active ? WA_ACTIVE : WA_INACTIVE, windowMinimized ? 1 : 0), 0);
}

static void TranslateEvent(const SDL_Event& event)
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
        LayerPostMessage(layerWindow, message, (WPARAM)vk, KeyParam(event.key, alt));
        return;
    }
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            windowMinimized = true;
            PostActivate(false);
            return;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_MAXIMIZED:
            if (!windowMinimized)
                return;
            windowMinimized = false;
            PostActivate(true);
            return;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            PostActivate(true);
            return;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            PostActivate(false);
            return;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            layerWindow->clientWidth = event.window.data1;
            layerWindow->clientHeight = event.window.data2;
            LayerPostMessage(layerWindow, WM_SIZE, SIZE_RESTORED,
                             MAKELPARAM(event.window.data1, event.window.data2));
            return;
        case SDL_WINDOWEVENT_CLOSE:
            LayerPostMessage(layerWindow, WM_CLOSE, 0, 0);
            return;
        }
        return;
    case SDL_QUIT:
        LayerPostMessage(layerWindow, WM_CLOSE, 0, 0);
        return;
    }
}

static void PumpHostEvents()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        // Under automation every message comes from the driver; the host's own are dropped.
        if (!layerAutomation)
            TranslateEvent(event);
    }
}

BOOL WINAPI PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags)
{
    if (!msg)
        return FALSE;
    if (layerAutomation && layerAutomation->beforePeek)
        layerAutomation->beforePeek();
    PumpHostEvents();
    if (queue.empty() && !quitPending && layerAutomation && layerAutomation->queueEmpty)
        layerAutomation->queueEmpty();
    if (!queue.empty()) {
        *msg = queue.front();
        if (removeFlags & PM_REMOVE)
            queue.pop_front();
        return TRUE;
    }
    if (quitPending) {
        MSG quit = {};
        quit.message = WM_QUIT;
        quit.wParam = (WPARAM)quitCode;
        *msg = quit;
        if (removeFlags & PM_REMOVE)
            quitPending = false;
        return TRUE;
    }
    if (layerAutomation && layerAutomation->frameStart)
        layerAutomation->frameStart();
    return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* msg)
{
    // Character messages are not used by the game; report whether the message was a key.
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) ? TRUE : FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg)
{
    if (!msg)
        return 0;
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SYSKEYDOWN:
        // Alt+F4 asks the window to close.
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            return SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            return SendMessageA(window, WM_CLOSE, 0, 0);
        case SC_SCREENSAVE:
        case SC_MONITORPOWER:
            layerScreenSaverAllowed = true;
            if (SDL_WasInit(SDL_INIT_VIDEO))
                SDL_EnableScreenSaver();
            return 0;
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    }
    return 0;
}
