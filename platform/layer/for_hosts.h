// What of the layer a host works on, and all a host may call of it besides platform/host.h:
// the game's one window, the start of the machine's video, and the machine's name for a game's
// path.
// The rest of the layer is its own (layer.h); tests/layers.sh holds the hosts to this.
#pragma once

#include <string>

#include "platform/host.h"
#include "platform/layer/winapi.h"

struct LayerDC;

struct LayerWindow {
    std::string className;
    WNDPROC procedure = nullptr;
    HostWindow* machineWindow = nullptr;  // the host's window under it
    DWORD style = 0;
    DWORD exStyle = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    int outerX = 0;
    int outerY = 0;
    bool shown = false;
    bool fullscreen = false;
    bool scaled = false;  // fullscreen over the desktop: the swap scales the game's picture
    LayerDC* dc = nullptr;
};

// The one window the game creates (the layer supports one at a time).
extern LayerWindow* layerWindow;

// Starts the machine's video through the installed host, once; returns false (the refusal
// noted) when it cannot.
bool LayerInitVideo();

// A path as the game writes it (Data\Sounds\1M.wav) as this machine names it.
std::string LayerHostPath(const char* windowsPath);
