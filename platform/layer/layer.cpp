// The layer's shared state, its start-up and the host switch.
#include "platform/layer/layer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/layer/x_errors.h"

// The host the entry chose for the process to fall back on; until then, one that does nothing.
static LayerHost defaultHost;
LayerHost layerHost;
LayerWindow* layerWindow = nullptr;
PendingDisplayMode layerDisplayMode;
bool layerScreenSaverAllowed = true;
int layerCursorCount = 0;

static HINSTANCE__* const moduleToken = reinterpret_cast<HINSTANCE__*>(0x400000);

// The resets of the hosts installed since the last LayerReset, each once: a host that was
// replaced before the reset still has its own state put back.
static std::vector<void (*)()>& HostResets()
{
    static std::vector<void (*)()> resets;
    return resets;
}

static void RememberReset(void (*reset)())
{
    std::vector<void (*)()>& resets = HostResets();
    if (std::find(resets.begin(), resets.end(), reset) == resets.end())
        resets.push_back(reset);
}

// Puts back every host installed since the last reset, the default host (installed by the
// program's entry) among them.
static void ResetHosts()
{
    RememberReset(layerHost.reset);
    RememberReset(defaultHost.reset);
    std::vector<void (*)()> resets;
    resets.swap(HostResets());
    for (void (*reset)() : resets)
        reset();
}

void LayerSetDefaultHost(const LayerHost& host)
{
    defaultHost = host;
    LayerInstallHost(nullptr);
}

void LayerInstallHost(const LayerHost* host)
{
    layerHost = host ? *host : defaultHost;
    RememberReset(layerHost.reset);
}

const LayerHost& LayerCurrentHost()
{
    return layerHost;
}

void LayerInstallAround(const LayerHost& under, LayerHost& kept, void (*wrap)(LayerHost& host))
{
    kept = under;
    LayerHost host = kept;
    wrap(host);
    LayerInstallHost(&host);
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
    if (!layerHost.startVideo()) {
        LayerNoteRefusal("no video driver can start");
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::strcmp(driver, "x11") == 0)
        LayerCatchXErrors();
    // Loading the OpenGL library brings in the driver, the slowest part of opening the window.
    SDL_GL_LoadLibrary(nullptr);
    return true;
}

static bool WaylandReachable()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* socket = std::getenv("WAYLAND_SOCKET");
    const char* display = std::getenv("WAYLAND_DISPLAY");
    return (runtime && *runtime) || (socket && *socket) || (display && display[0] == '/');
}

bool LayerStartVideoDriver(bool (*usable)(const char* driver), std::string& reasons)
{
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (chosen && *chosen)
        return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    bool up = false;
    for (int i = 0; i < SDL_GetNumVideoDrivers() && !up; ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!driver || !usable(driver))
            continue;
        if (std::strcmp(driver, "wayland") == 0 && !WaylandReachable()) {
            reasons += std::string(reasons.empty() ? "" : "; ") + "wayland: XDG_RUNTIME_DIR is not set";
            continue;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
        up = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        if (!up)
            reasons += std::string(reasons.empty() ? "" : "; ") + driver + ": " + SDL_GetError();
    }
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    return up;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName)
{
    return moduleName ? nullptr : moduleToken;
}

static std::string machineRefusal;

const std::string& LayerMachineRefusal()
{
    return machineRefusal;
}

void LayerNoteRefusal(const char* what)
{
    if (machineRefusal.empty())
        machineRefusal = std::string(what) + " (SDL: " + SDL_GetError() + ")";
}

void LayerReset()
{
    machineRefusal.clear();
    LayerResetMessages();
    LayerForgetWindows();
    LayerScalerForget();
    layerDisplayMode = PendingDisplayMode();
    layerCursorCount = 0;
    layerScreenSaverAllowed = true;
    LayerResetClocks();
    ResetHosts();
    LayerInstallHost(nullptr);
}

void LayerEnd()
{
    // The hosts first: the desktop's sound loader has a thread that must stop before SDL does.
    ResetHosts();
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
