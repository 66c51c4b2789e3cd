// The host record's video entries, from SDL.
#include "platform/sdl_video/sdl_video.h"
#include "platform/sdl_video/video_entries.h"

void SdlVideoFill(LayerHost& host)
{
    host.refusalReason = SdlVideoRefusalReason;
    host.endVideo = SdlVideoEnd;
    host.createWindow = SdlVideoCreateWindow;
    host.destroyWindow = SdlVideoDestroyWindow;
    host.showWindow = SdlVideoShowWindow;
    host.raiseWindow = SdlVideoRaiseWindow;
    host.windowedCentred = SdlVideoWindowedCentred;
    host.drawableSize = SdlVideoDrawableSize;
    host.allowScreenSaver = SdlVideoAllowScreenSaver;
    host.createContext = SdlVideoCreateContext;
    host.makeCurrent = SdlVideoMakeCurrent;
    host.releaseCurrent = SdlVideoReleaseCurrent;
    host.currentContext = SdlVideoCurrentContext;
    host.deleteContext = SdlVideoDeleteContext;
    host.swap = SdlVideoSwap;
    host.setSwapInterval = SdlVideoSetSwapInterval;
    host.swapInterval = SdlVideoSwapInterval;
    host.glFunction = SdlVideoGlFunction;
    host.glExtension = SdlVideoGlExtension;
}
