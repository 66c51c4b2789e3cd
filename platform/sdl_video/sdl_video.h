// The machine's windows and OpenGL over SDL, for the hosts that have SDL (the desktop and the
// scripted one): they fill the host record's video entries from here, and start SDL's video
// each in its own way. The layer never sees SDL; a host without it (a browser) fills the same
// entries from its own machine.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/host.h"

// Sets every video entry of the record but startVideo, which is the host's own.
void SdlVideoFill(LayerHost& host);

// The video start a host's startVideo entry makes: once, SDL's hints for the game, then
// `startDriver` (the host's choice of driver: true when one came up), the X error handlers when
// the driver is X11's, and the OpenGL library loaded. True while the video is up.
bool SdlVideoStart(bool (*startDriver)());

// A choice of driver: the first of SDL's drivers, in SDL's order, that `usable` takes (where
// SDL_VIDEODRIVER is set, SDL's choice alone). The Wayland driver is passed over where no
// compositor can be reached: without XDG_RUNTIME_DIR, or a socket handed over or named by its
// whole path, libwayland finds none and complains on stderr. The drivers' failures are added to
// `reasons`.
bool SdlVideoStartDriver(bool (*usable)(const char* driver), std::string& reasons);

// SDL's window behind a window the entries made.
SDL_Window* SdlVideoWindow(HostWindow* window);
