// The layer's shared state, its start-up and the host switch.
#include "platform/layer.h"

#include <cstring>

#include "platform/x_errors.h"

LayerHost layerHost = LayerDesktopHost();
LayerWindow* layerWindow = nullptr;
PendingDisplayMode layerDisplayMode;
bool layerScreenSaverAllowed = true;
int layerCursorCount = 0;

static HINSTANCE__* const moduleToken = reinterpret_cast<HINSTANCE__*>(0x400000);

void LayerInstallHost(const LayerHost* host)
{
    layerHost = host ? *host : LayerDesktopHost();
}

const LayerHost& LayerCurrentHost()
{
    return layerHost;
}

bool LayerFails(const char* functionName)
{
    return layerHost.fails(functionName);
}

bool LayerInitVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    // The game ends on its own quit message, not when SDL sees the last window close.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    bool up = LayerOnDesktop() ? DesktopInitVideo() : SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (!up)
        return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0)
        LayerCatchXErrors();
    // Loading the OpenGL library brings in the driver, the slowest part of opening the window.
    SDL_GL_LoadLibrary(nullptr);
    return true;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName)
{
    return moduleName ? nullptr : moduleToken;
}

void LayerReset()
{
    LayerResetMessages();
    LayerForgetWindows();
    LayerScalerForget();
    layerDisplayMode = PendingDisplayMode();
    layerCursorCount = 0;
    layerScreenSaverAllowed = true;
    LayerResetClocks();
    LayerResetSound();
    DesktopResetEvents();
    DesktopResetSignals();
    DesktopResetVideo();
    LayerInstallHost(nullptr);
}

void LayerEnd()
{
    LayerResetSound();
    SDL_Quit();
}

LayerWindowInfo LayerQueryWindow()
{
    LayerWindowInfo info;
    info.cursorVisible = layerCursorCount >= 0;
    info.displayModeChanged = layerDisplayMode.active;
    info.screenSaverAllowed = layerScreenSaverAllowed;
    if (!layerWindow)
        return info;
    info.exists = true;
    info.shown = layerWindow->shown;
    info.fullscreen = layerWindow->fullscreen;
    info.clientWidth = layerWindow->clientWidth;
    info.clientHeight = layerWindow->clientHeight;
    info.outerX = layerWindow->outerX;
    info.outerY = layerWindow->outerY;
    info.style = layerWindow->style;
    return info;
}
