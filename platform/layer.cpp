// The layer's shared state, its start-up and the automation switch.
#include "platform/layer.h"

#include <cstring>

AutomationHooks* layerAutomation = nullptr;
LayerWindow* layerWindow = nullptr;
PendingDisplayMode layerDisplayMode;
bool layerScreenSaverAllowed = true;
int layerCursorCount = 0;

static AutomationHooks installedHooks;
static HINSTANCE__* const moduleToken = reinterpret_cast<HINSTANCE__*>(0x400000);

void InstallAutomation(const AutomationHooks* hooks)
{
    if (hooks) {
        installedHooks = *hooks;
        layerAutomation = &installedHooks;
    } else {
        layerAutomation = nullptr;
    }
}

bool LayerFails(const char* functionName)
{
    return layerAutomation && layerAutomation->fails && layerAutomation->fails(functionName);
}

bool LayerInitVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    // The game ends on its own quit message, not when SDL sees the last window close.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
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
    layerDisplayMode = PendingDisplayMode();
    layerCursorCount = 0;
    layerScreenSaverAllowed = true;
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
