// WGL's swap-interval extension over the host's OpenGL. A graphics driver may hold every buffer
// swap until the monitor's next refresh; the game turns that off, as it does on Windows, through
// the extension. Its requests go to the host, which asks the system's OpenGL (GLX, EGL) for them.
#include <cstdio>
#include <cstring>

#include "platform/layer/layer.h"

// The host takes an interval on every system it runs on; whether the driver honours it shows
// when it is read back.
static const char swapControl[] = "WGL_EXT_swap_control";

static const char* WINAPI GetExtensionsStringARB(HDC)
{
    return swapControl;
}

static const char* WINAPI GetExtensionsStringEXT()
{
    return swapControl;
}

static BOOL WINAPI SwapIntervalEXT(int interval)
{
    if (!layerHost.currentContext())
        return FALSE;
    bool set = layerHost.setSwapInterval(interval);
    // A driver with no swap control at all reports 0, as the game wants; one that forces the
    // swaps into step with the monitor reports the interval it keeps, and the game then runs at
    // the monitor's pace instead of its own.
    if (interval == 0 && layerHost.swapInterval() != 0)
        std::fprintf(stderr, "Тримвальд: the graphics driver keeps every frame in step with the "
                             "monitor, so the game runs slower than it should; turn vertical sync "
                             "off for it (Mesa's drivers: run it with vblank_mode=0)\n");
    return set ? TRUE : FALSE;
}

template <typename Function>
static PROC AsProc(Function function)
{
    return reinterpret_cast<PROC>(reinterpret_cast<void (*)()>(function));
}

PROC WINAPI wglGetProcAddress(LPCSTR name)
{
    // As on Windows, extension functions belong to the current context.
    if (!name || !layerHost.currentContext())
        return nullptr;
    if (std::strcmp(name, "wglGetExtensionsStringARB") == 0)
        return AsProc(GetExtensionsStringARB);
    if (std::strcmp(name, "wglGetExtensionsStringEXT") == 0)
        return AsProc(GetExtensionsStringEXT);
    if (std::strcmp(name, "wglSwapIntervalEXT") == 0)
        return AsProc(SwapIntervalEXT);
    return AsProc(layerHost.glFunction(name));
}
