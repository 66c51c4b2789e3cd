// ALSA writes its own errors to stderr ("ALSA lib ..."), many lines of them on a machine without
// a sound card, while SDL looks for a device. A silent handler takes them instead; SDL tells us
// what failed anyway. The library is opened here only to reach its handler: SDL loads the same
// one when it opens audio, and without ALSA there is nothing to quiet.
#include <dlfcn.h>

#include "platform/desktop/desktop.h"

typedef void (*AlsaErrorHandler)(const char* file, int line, const char* function, int error,
                                 const char* format, ...);

static void Silent(const char*, int, const char*, int, const char*, ...)
{
}

void DesktopQuietAlsa()
{
    // Kept open for good: the handler must outlive every use of the library.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa)
        return;
    auto setHandler = reinterpret_cast<int (*)(AlsaErrorHandler)>(
        dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler)
        setHandler(Silent);
}
