// The audio device for the desktop's cues. SDL's audio thread pulls the samples of the one cue
// that plays, so starting a cue is the swap of a pointer under the device's lock, whatever the
// cue's length: nothing is copied on the game thread.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

#include "platform/desktop/cue_loader.h"

static std::atomic<SDL_AudioDeviceID> audioDevice{0};
static SDL_AudioSpec deviceSpec;
static bool audioUnavailable = false;
static bool audioSubsystemOurs = false;

// Owned by the audio thread's callback, changed only under the device's lock.
static CueSamples playing;
static size_t playedBytes = 0;

static void FillFromCue(void*, Uint8* stream, int length)
{
    size_t wanted = (size_t)length;
    size_t left = playing ? playing->size() - playedBytes : 0;
    size_t taken = std::min(left, wanted);
    if (taken)
        std::memcpy(stream, playing->data() + playedBytes, taken);
    playedBytes += taken;
    std::memset(stream + taken, deviceSpec.silence, wanted - taken);
}

// Said once, when the device is found missing: the game goes on without sound.
static bool NoAudio()
{
    audioUnavailable = true;
    std::fprintf(stderr, "Тримвальд: no sound device, playing without sound (SDL: %s)\n",
                 SDL_GetError());
    return false;
}

// Opened on the first cue there is to play, not before; a device that cannot be opened is not
// asked for again.
bool CueDeviceOpen(SDL_AudioSpec& format)
{
    if (audioDevice) {
        format = deviceSpec;
        return true;
    }
    if (audioUnavailable)
        return false;
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return NoAudio();
        audioSubsystemOurs = true;
    }
    SDL_AudioSpec want = {};
    want.freq = 22050;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = FillFromCue;
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &deviceSpec, 0);
    if (!device)
        return NoAudio();
    SDL_PauseAudioDevice(device, 0);
    audioDevice = device;
    format = deviceSpec;
    return true;
}

// The cue that stops playing is handed back to the caller, so that its last reference is not
// dropped under the lock the audio thread waits for.
static CueSamples Swap(CueSamples next)
{
    SDL_AudioDeviceID device = audioDevice;
    if (!device)
        return next;
    SDL_LockAudioDevice(device);
    playing.swap(next);
    playedBytes = 0;
    SDL_UnlockAudioDevice(device);
    return next;
}

CueSamples CueDevicePlay(CueSamples samples)
{
    return Swap(std::move(samples));
}

CueSamples CueDeviceStop()
{
    return Swap(nullptr);
}

Uint32 CueDeviceBytesLeft()
{
    SDL_AudioDeviceID device = audioDevice;
    if (!device)
        return 0;
    SDL_LockAudioDevice(device);
    size_t left = playing ? playing->size() - playedBytes : 0;
    SDL_UnlockAudioDevice(device);
    return (Uint32)left;
}

bool CueDeviceIsOpen()
{
    return audioDevice != 0;
}

void CueDeviceClose()
{
    if (SDL_AudioDeviceID device = audioDevice.exchange(0))
        SDL_CloseAudioDevice(device);
    playing.reset();
    playedBytes = 0;
    audioUnavailable = false;
    if (audioSubsystemOurs && SDL_WasInit(SDL_INIT_AUDIO))
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioSubsystemOurs = false;
}
