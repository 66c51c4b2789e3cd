// What of the layer a host works on, and all a host may call of it besides platform/host.h:
// the game's one window, the start of SDL's video, and the machine's name for a game's path.
// The rest of the layer is its own (layer.h); tests/layers.sh holds the hosts to this.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/layer/winapi.h"

struct LayerDC;

struct LayerWindow {
    std::string className;
    WNDPROC procedure = nullptr;
    SDL_Window* sdlWindow = nullptr;
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

// Starts the SDL subsystem once; returns false when it cannot.
bool LayerInitVideo();

// A host's start of SDL's video: the first of SDL's drivers, in SDL's order, that `usable`
// takes (where SDL_VIDEODRIVER is set, SDL's choice alone). The Wayland driver is passed over
// where no compositor can be reached: without XDG_RUNTIME_DIR, or a socket handed over or named
// by its whole path, libwayland finds none and complains on stderr. The drivers' failures are
// added to `reasons`.
bool LayerStartVideoDriver(bool (*usable)(const char* driver), std::string& reasons);

// A path as the game writes it (Data\Sounds\1M.wav) as this machine names it.
std::string LayerHostPath(const char* windowsPath);
