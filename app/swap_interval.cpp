#include "app/swap_interval.h"

#include <cstring>

#include "app/game_window.h"
#include "platform/platform.h"

typedef const char*(WINAPI* ExtensionsStringARB)(HDC dc);
typedef const char*(WINAPI* ExtensionsStringEXT)(void);
typedef BOOL(WINAPI* SwapIntervalEXT)(int interval);

template <typename Function>
static Function Lookup(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(wglGetProcAddress(name)));
}

// Whether the space-separated list holds the name as a whole word.
static bool Lists(const char* list, const char* name)
{
    size_t length = std::strlen(name);
    for (const char* at = list; list && (at = std::strstr(at, name)) != NULL; at += length) {
        bool starts = at == list || at[-1] == ' ';
        bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends)
            return true;
    }
    return false;
}

// The WGL extensions are listed by either of two functions, and by older drivers among the
// OpenGL ones.
static bool OffersWglExtension(const char* name)
{
    ExtensionsStringARB arb = Lookup<ExtensionsStringARB>("wglGetExtensionsStringARB");
    if (arb && Lists(arb(windowDC), name))
        return true;
    ExtensionsStringEXT ext = Lookup<ExtensionsStringEXT>("wglGetExtensionsStringEXT");
    if (ext && Lists(ext(), name))
        return true;
    return Lists(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

void AskForUnsyncedSwaps()
{
    if (!OffersWglExtension("WGL_EXT_swap_control"))
        return;
    SwapIntervalEXT swapInterval = Lookup<SwapIntervalEXT>("wglSwapIntervalEXT");
    if (swapInterval)
        swapInterval(0);
}
