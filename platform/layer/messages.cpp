// The message queue and the window messages: the host's events arrive as messages for the
// window procedure, and the host sees each turn of the main loop.
#include "platform/layer/layer.h"

#include "platform/taps/tap_hold.h"

static std::deque<MSG> queue;
static bool quitPending = false;
static int quitCode = 0;

void LayerResetMessages()
{
    queue.clear();
    quitPending = false;
    quitCode = 0;
    TapReset();
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

BOOL WINAPI PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags)
{
    if (!msg)
        return FALSE;
    layerHost.beforePeek();
    layerHost.pumpEvents(LayerPostMessage);
    if (queue.empty() && !quitPending)
        layerHost.queueEmpty();
    // A tap's release, and what came after it, wait for the frame that sees the press.
    bool waiting = !queue.empty() && TapMustWait(queue.front().message, queue.front().wParam);
    if (!queue.empty() && !waiting) {
        *msg = queue.front();
        if (removeFlags & PM_REMOVE) {
            queue.pop_front();
            TapHandedOver(msg->message, msg->wParam);
        }
        return TRUE;
    }
    if (quitPending && !waiting) {
        MSG quit = {};
        quit.message = WM_QUIT;
        quit.wParam = (WPARAM)quitCode;
        *msg = quit;
        if (removeFlags & PM_REMOVE)
            quitPending = false;
        return TRUE;
    }
    TapFrameRuns();
    layerHost.frameStart();
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
            layerHost.allowScreenSaver(true);
            return 0;
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    }
    return 0;
}
