// The machine the Linux programs show scripted runs on: SDL's video on whatever driver SDL
// finds (a virtual X server, or the offscreen driver without one), its events taken and dropped.
#include "platform/scripted/scripted_host.h"

#include <string>

#include "platform/sdl_video/sdl_video.h"

static bool AnyDriver(const char*)
{
    return true;
}

static bool StartDriver()
{
    std::string reasons;
    if (SdlVideoStartDriver(AnyDriver, reasons))
        return true;
    if (!reasons.empty())
        SDL_SetError("%s", reasons.c_str());
    return false;
}

static bool StartVideo()
{
    return SdlVideoStart(StartDriver);
}

// SDL's queue is emptied whoever reads it, so that events do not pile up.
static void PumpSdlEvents(HostPost)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}

LayerHost ScriptedSdlMachine()
{
    LayerHost machine;
    SdlVideoFill(machine);
    machine.startVideo = StartVideo;
    machine.pumpEvents = PumpSdlEvents;
    return machine;
}
