// The web host's cues: PlaySoundA's wave files played through the page's Web Audio, each call
// stopping what still plays. Browsers start sound only after the player's first click or key;
// cues before that are not heard. A file that cannot be found or decoded plays nothing, as the
// desktop's player does.
#include <emscripten.h>

#include <sys/stat.h>

#include <string>

#include "platform/web/web.h"

EM_JS(void, WebPagePlay, (const char* path), {
    if (Module.page && Module.page.playSound)
        Module.page.playSound(path ? UTF8ToString(path) : null);
});

BOOL WebPlaySound(const char* sound, DWORD flags)
{
    if (!sound || !(flags & SND_FILENAME)) {
        WebPagePlay(nullptr);
        return sound == nullptr;
    }
    std::string path = LayerHostPath(sound);
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        WebPagePlay(nullptr);
        return TRUE;
    }
    WebPagePlay(path.c_str());
    return TRUE;
}

void WebResetSound()
{
    WebPagePlay(nullptr);
}
