// The room's entries for the host record, each file its part; SdlVideoFill sets them.
#pragma once

#include <string>

#include "platform/host.h"

std::string SdlVideoRefusalReason();
void SdlVideoEnd();

HostWindow* SdlVideoCreateWindow(const std::string& caption, int x, int y, int width, int height,
                                 bool frameless, bool resizable);
void SdlVideoDestroyWindow(HostWindow* window);
void SdlVideoShowWindow(HostWindow* window, bool shown);
void SdlVideoRaiseWindow(HostWindow* window);
void SdlVideoWindowedCentred(HostWindow* window);
void SdlVideoDrawableSize(HostWindow* window, int* width, int* height);
void SdlVideoAllowScreenSaver(bool allowed);

HostContext* SdlVideoCreateContext(HostWindow* window);
bool SdlVideoMakeCurrent(HostWindow* window, HostContext* context);
void SdlVideoReleaseCurrent();
HostContext* SdlVideoCurrentContext();
void SdlVideoDeleteContext(HostContext* context);
void SdlVideoSwap(HostWindow* window);
bool SdlVideoSetSwapInterval(int interval);
int SdlVideoSwapInterval();
void* SdlVideoGlFunction(const char* name);
bool SdlVideoGlExtension(const char* name);
