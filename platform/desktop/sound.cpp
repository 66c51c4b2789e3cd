// The desktop host's sound player for PlaySoundA's wave files: each call stops the sound still
// playing and starts the new one. A call costs the game thread one look at the file and, for a
// cue played before, the swap of what the device plays; reading and converting a file is the
// loader thread's work (cue_loader.cpp).
//
// A file that cannot be found or played plays nothing: where Windows would fall back to its
// default sound we stay silent, and the caller hears of it no more than it would there.
#include <sys/stat.h>

#include <string>

#include "platform/desktop/cue_loader.h"
#include "platform/desktop/desktop.h"

BOOL DesktopPlaySound(const char* sound, DWORD flags)
{
    if (!sound || !(flags & SND_FILENAME)) {
        CueStop();
        return sound == nullptr;
    }
    std::string path = LayerHostPath(sound);
    // Only a regular file is read: a named pipe would wait for a writer for ever.
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        // Silence instead of the default sound; the game never looks at the result.
        CueStop();
        return TRUE;
    }
    CuePlay(path, CueKeyOf(status));
    if (!(flags & SND_ASYNC)) {
        CueWaitForLoader();
        while (CueDeviceBytesLeft() > 0)
            SDL_Delay(5);
    }
    return TRUE;
}

// For the layer's own tests and benchmarks: the bytes still to be played, in the device's
// format (16-bit stereo at 22,050 Hz), 0 while no device is open; whether a device is open;
// waiting until the loader has done what was asked of it; holding the loader, so that a check
// can look at the game thread's side alone.
Uint32 DesktopQueuedSoundBytes()
{
    return CueDeviceBytesLeft();
}

bool DesktopSoundDeviceOpen()
{
    return CueDeviceIsOpen();
}

void DesktopWaitForSound()
{
    CueWaitForLoader();
}

void DesktopHoldSoundLoader(bool held)
{
    CueHoldLoader(held);
}

// Stops the loader, forgets every file read, closes the device and forgets that none could be
// opened, so that the next sound opens it afresh (with the audio driver SDL_AUDIODRIVER names
// then). Also the teardown before SDL is shut down.
void DesktopResetSound()
{
    CueLoaderReset();
    CueDeviceClose();
}
