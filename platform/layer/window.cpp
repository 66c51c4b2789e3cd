// Window classes, the display-mode change and the one game window, over the host's window.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/layer/charset.h"
#include "platform/layer/layer.h"

const int frameBorder = 8;
const int captionHeight = 23;

struct RegisteredClass {
    std::string name;
    WNDPROC procedure;
};
static std::vector<RegisteredClass> classes;

static HICON__* const iconToken = reinterpret_cast<HICON__*>(0x10);
static HCURSOR__* const cursorToken = reinterpret_cast<HCURSOR__*>(0x20);

static RegisteredClass* FindClass(const char* name)
{
    for (auto& c : classes)
        if (name && c.name == name)
            return &c;
    return nullptr;
}

// Frees the one window with the machine's window and its own device context.
static void FreeWindow()
{
    if (!layerWindow)
        return;
    if (layerWindow->machineWindow)
        layerHost.destroyWindow(layerWindow->machineWindow);
    if (layerWindow->dc)
        LayerDeleteDC(layerWindow->dc);
    delete layerWindow;
    layerWindow = nullptr;
}

void LayerForgetWindows()
{
    FreeWindow();
    classes.clear();
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass)
{
    if (LayerFails("RegisterClassA") || !windowClass || !windowClass->lpszClassName ||
        !windowClass->lpfnWndProc || FindClass(windowClass->lpszClassName))
        return 0;
    classes.push_back({windowClass->lpszClassName, windowClass->lpfnWndProc});
    return (ATOM)(0xC000 + classes.size());
}

BOOL WINAPI UnregisterClassA(LPCSTR className, HINSTANCE)
{
    if (LayerFails("UnregisterClassA"))
        return FALSE;
    RegisteredClass* found = FindClass(className);
    // A class cannot go while a window of it still exists.
    if (!found || (layerWindow && layerWindow->className == className))
        return FALSE;
    classes.erase(classes.begin() + (found - classes.data()));
    return TRUE;
}

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR)
{
    return iconToken;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR)
{
    return cursorToken;
}

LONG WINAPI ChangeDisplaySettingsA(DEVMODEA* mode, DWORD)
{
    if (!mode) {
        // Back to the desktop's own mode.
        if (layerWindow && layerWindow->fullscreen && layerWindow->machineWindow)
            layerHost.setFullscreen(layerWindow, false);
        if (layerWindow)
            layerWindow->fullscreen = false;
        layerDisplayMode = PendingDisplayMode();
        return DISP_CHANGE_SUCCESSFUL;
    }
    int width = (mode->dmFields & DM_PELSWIDTH) ? (int)mode->dmPelsWidth : 0;
    int height = (mode->dmFields & DM_PELSHEIGHT) ? (int)mode->dmPelsHeight : 0;
    int bits = (mode->dmFields & DM_BITSPERPEL) ? (int)mode->dmBitsPerPel : 32;
    if (!layerHost.displayModeAvailable(width, height, bits))
        return DISP_CHANGE_BADMODE;
    layerDisplayMode.active = true;
    layerDisplayMode.width = width;
    layerDisplayMode.height = height;
    layerDisplayMode.bits = bits;
    if (layerWindow)
        LayerApplyDisplayMode(layerWindow);
    return DISP_CHANGE_SUCCESSFUL;
}

void LayerApplyDisplayMode(LayerWindow* window)
{
    if (!layerDisplayMode.active || (window->style & WS_POPUP) == 0)
        return;
    window->fullscreen = true;
    if (window->machineWindow)
        layerHost.setFullscreen(window, true);
}

static bool Framed(DWORD style)
{
    return (style & WS_POPUP) == 0 && (style & (WS_CAPTION | WS_THICKFRAME)) != 0;
}

BOOL WINAPI AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD)
{
    if (!rect)
        return FALSE;
    if (Framed(style)) {
        rect->left -= frameBorder;
        rect->right += frameBorder;
        rect->top -= frameBorder + captionHeight;
        rect->bottom += frameBorder;
    }
    return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND, HMENU, HINSTANCE, LPVOID)
{
    RegisteredClass* windowClass = FindClass(className);
    if (LayerFails("CreateWindowExA") || !windowClass || layerWindow || !LayerInitVideo())
        return nullptr;

    LayerWindow* window = new LayerWindow;
    window->className = className;
    window->procedure = windowClass->procedure;
    window->style = style;
    window->exStyle = exStyle;
    window->outerX = x;
    window->outerY = y;
    if (Framed(style)) {
        width -= 2 * frameBorder;
        height -= 2 * frameBorder + captionHeight;
    }
    window->clientWidth = std::max(width, 1);
    window->clientHeight = std::max(height, 1);

    // A framed window's border and caption are the window manager's: the window is asked for
    // at the outer corner the game gave, with the client size inside the game's frame.
    window->machineWindow = layerHost.createWindow(Cp1251ToUtf8(windowName), x, y,
                                                   window->clientWidth, window->clientHeight,
                                                   (style & WS_POPUP) != 0,
                                                   (style & WS_THICKFRAME) != 0);
    if (!window->machineWindow) {
        LayerNoteRefusal("the window cannot be made");
        delete window;
        return nullptr;
    }
    layerWindow = window;
    LayerApplyDisplayMode(window);
    window->procedure(window, WM_CREATE, 0, 0);
    window->procedure(window, WM_SIZE, SIZE_RESTORED,
                      MAKELPARAM(window->clientWidth, window->clientHeight));
    return window;
}

BOOL WINAPI DestroyWindow(HWND window)
{
    if (LayerFails("DestroyWindow") || !window || window != layerWindow)
        return FALSE;
    window->procedure(window, WM_DESTROY, 0, 0);
    FreeWindow();
    // The screen saver is only held off while the game window is open.
    layerScreenSaverAllowed = true;
    layerHost.allowScreenSaver(true);
    return TRUE;
}

BOOL WINAPI ShowWindow(HWND window, int command)
{
    if (!window || window != layerWindow)
        return FALSE;
    BOOL wasShown = window->shown ? TRUE : FALSE;
    if (command == SW_HIDE) {
        layerHost.showWindow(window->machineWindow, false);
        window->shown = false;
        return wasShown;
    }
    layerHost.showWindow(window->machineWindow, true);
    window->shown = true;
    if (!wasShown) {
        window->procedure(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
        // Windows asks the foreground window before starting the screen saver or powering the
        // monitor down; a window procedure that swallows the commands keeps both off, and the
        // default processing (DefWindowProcA) lets them start.
        layerScreenSaverAllowed = false;
        layerHost.allowScreenSaver(false);
        window->procedure(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
        window->procedure(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
    }
    return wasShown;
}

BOOL WINAPI SetForegroundWindow(HWND window)
{
    if (!window || window != layerWindow)
        return FALSE;
    layerHost.raiseWindow(window->machineWindow);
    return TRUE;
}

HWND WINAPI SetFocus(HWND window)
{
    HWND previous = layerWindow;
    if (window && window == layerWindow)
        layerHost.raiseWindow(window->machineWindow);
    return previous;
}

int WINAPI ShowCursor(BOOL show)
{
    layerCursorCount += show ? 1 : -1;
    layerHost.showCursor(layerCursorCount >= 0);
    return layerCursorCount;
}

BOOL WINAPI GetCursorPos(POINT* point)
{
    if (!point)
        return FALSE;
    *point = layerHost.cursorPosition();
    return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y)
{
    layerHost.moveCursor(x, y);
    return TRUE;
}
