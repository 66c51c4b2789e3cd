// The layer's shared state, its start-up and the host switch.
#include "platform/layer/layer.h"

#include <algorithm>
#include <vector>

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
    if (layerHost.startVideo())
        return true;
    LayerNoteRefusal("no video driver can start");
    return false;
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
        machineRefusal = std::string(what) + " (" + layerHost.refusalReason() + ")";
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
    // The hosts first: the desktop's sound loader has a thread that must stop before the
    // machine's video and sound do.
    ResetHosts();
    layerHost.endVideo();
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
