#include "app/game_window.h"

#include <cstring>

#include "app/dialog_texts.h"
#include "app/shell_state.h"
#include "app/swap_interval.h"
#include "render/outline_font.h"
#include "render/render_state.h"

HINSTANCE& appInstance = shell.appInstance;
HWND& mainWindow = shell.mainWindow;
HDC& windowDC = shell.windowDC;
HGLRC& glContext = shell.glContext;
unsigned char& fullscreen = shell.fullscreen;
unsigned char& appActive = shell.appActive;
PIXELFORMATDESCRIPTOR& pixelFormat = shell.pixelFormat;

static const char* const windowClassName = "OpenGL";

// The display-mode record of the older, 148-byte layout, which every Windows accepts.
static const WORD displayModeRecordSize = 148;

static int FailOpening(const char* message)
{
    CloseGameWindow();
    MessageBoxA(NULL, message, errorCaption, MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

int OpenGameWindow(const char* title, int width, int height, int bits, unsigned char fullscreenFlag)
{
    fullscreen = fullscreenFlag;
    appInstance = GetModuleHandleA(NULL);

    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = GameWindowProc;
    windowClass.hInstance = appInstance;
    windowClass.hIcon = LoadIconA(NULL, IDI_WINLOGO);
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.lpszClassName = windowClassName;
    if (!RegisterClassA(&windowClass)) {
        MessageBoxA(NULL, classNotRegistered, errorCaption, MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }

    if (fullscreen) {
        DEVMODEA mode;
        std::memset(&mode, 0, sizeof mode);
        mode.dmSize = displayModeRecordSize;
        mode.dmPelsWidth = (DWORD)width;
        mode.dmPelsHeight = (DWORD)height;
        mode.dmBitsPerPel = (DWORD)bits;
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
            if (MessageBoxA(NULL, windowedOffer, windowedOfferCaption, MB_YESNO | MB_ICONEXCLAMATION) ==
                IDYES) {
                fullscreen = 0;
            } else {
                MessageBoxA(NULL, quitNotice, errorCaption, MB_OK | MB_ICONSTOP);
                return 0;
            }
        }
    }

    DWORD exStyle;
    DWORD style;
    if (fullscreen) {
        exStyle = WS_EX_APPWINDOW;
        style = WS_POPUP;
        ShowCursor(FALSE);
    } else {
        exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
        style = WS_OVERLAPPEDWINDOW;
    }

    RECT rect;
    rect.left = 0;
    rect.top = 0;
    rect.right = width;
    rect.bottom = height;
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);

    mainWindow = CreateWindowExA(exStyle, windowClassName, title,
                                 style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                                 rect.right - rect.left, rect.bottom - rect.top, NULL, NULL,
                                 appInstance, NULL);
    if (!mainWindow)
        return FailOpening(windowNotCreated);

    windowDC = GetDC(mainWindow);
    if (!windowDC)
        return FailOpening(deviceContextNotMade);

    pixelFormat.cColorBits = (BYTE)bits;
    int format = ChoosePixelFormat(windowDC, &pixelFormat);
    if (!format)
        return FailOpening(pixelFormatNotFound);
    if (!SetPixelFormat(windowDC, format, &pixelFormat))
        return FailOpening(pixelFormatNotSet);

    glContext = wglCreateContext(windowDC);
    if (!glContext)
        return FailOpening(renderingContextNotMade);
    if (!wglMakeCurrent(windowDC, glContext))
        return FailOpening(renderingContextNotActivated);
    AskForUnsyncedSwaps();

    ShowWindow(mainWindow, SW_SHOW);
    SetForegroundWindow(mainWindow);
    SetFocus(mainWindow);
    ResizeViewport(width, height);

    if (!InitRenderState(windowDC))
        return FailOpening(initialisationFailed);
    return 1;
}

static void ReportShutdownError(const char* message)
{
    MessageBoxA(NULL, message, shutdownCaption, MB_OK | MB_ICONINFORMATION);
}

void CloseGameWindow()
{
    if (fullscreen) {
        ChangeDisplaySettingsA(NULL, 0);
        ShowCursor(TRUE);
    }
    if (glContext) {
        if (!wglMakeCurrent(NULL, NULL))
            ReportShutdownError(contextsNotReleased);
        if (!wglDeleteContext(glContext))
            ReportShutdownError(renderingContextNotReleased);
        glContext = NULL;
    }
    if (windowDC && !ReleaseDC(mainWindow, windowDC)) {
        ReportShutdownError(deviceContextNotReleased);
        windowDC = NULL;
    }
    if (mainWindow && !DestroyWindow(mainWindow)) {
        ReportShutdownError(windowNotDestroyed);
        mainWindow = NULL;
    }
    if (!UnregisterClassA(windowClassName, appInstance)) {
        ReportShutdownError(classNotUnregistered);
        appInstance = NULL;
    }
    FreeOutlineFont();
}

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        // Only minimising makes the window inactive; losing the focus does not.
        appActive = HIWORD(wParam) == 0 ? 1 : 0;
        return 0;
    case WM_SYSCOMMAND:
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER)
            return 0;
        break;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    // Key codes beyond the table are ignored rather than written past it.
    case WM_KEYDOWN:
        if (wParam < sizeof keys)
            keys[wParam] = 1;
        return 0;
    case WM_KEYUP:
        if (wParam < sizeof keys)
            keys[wParam] = 0;
        return 0;
    case WM_SIZE:
        ResizeViewport(LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
