// The desktop host's sound player for PlaySoundA's wave files: each call stops the sound still playing and starts the new one.
// A file that cannot be found or played plays nothing: where Windows would fall back to its
// default sound we stay silent, and the caller hears of it no more than it would there.
//
// The audio device is opened on the first sound there is to play, not before, and a device
// that cannot be opened is not asked for again: without sound hardware every later call costs
// a file read and nothing more. A file that cannot be read never touches the device at all.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "platform/layer.h"

static SDL_AudioDeviceID audioDevice = 0;
static SDL_AudioSpec deviceSpec;
static bool audioUnavailable = false;
static bool audioSubsystemOurs = false;

// Said once, when the device is found missing: the game goes on without sound.
static bool NoAudio()
{
    audioUnavailable = true;
    std::fprintf(stderr, "Тримвальд: no sound device, playing without sound (SDL: %s)\n",
                 SDL_GetError());
    return false;
}

static bool OpenAudio()
{
    if (audioDevice)
        return true;
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
    audioDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &deviceSpec, 0);
    if (!audioDevice)
        return NoAudio();
    SDL_PauseAudioDevice(audioDevice, 0);
    return true;
}

// Whatever is playing stops; nothing is opened for it.
static void StopSound()
{
    if (audioDevice)
        SDL_ClearQueuedAudio(audioDevice);
}

static std::string HostPath(const char* windowsPath)
{
    std::string path = windowsPath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

// Reads the wave file and converts it to the device's format; false if it cannot be played.
static bool LoadSamples(const std::string& path, std::basic_string<Uint8>& buffer)
{
    SDL_AudioSpec fileSpec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    // Only a regular file is read: SDL would open a named pipe and wait for a writer for ever.
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    if (!SDL_LoadWAV(path.c_str(), &fileSpec, &samples, &length))
        return false;
    buffer.assign(samples, samples + length);
    SDL_FreeWAV(samples);
    if (!OpenAudio())
        return false;
    SDL_AudioCVT convert;
    int needed = SDL_BuildAudioCVT(&convert, fileSpec.format, fileSpec.channels, fileSpec.freq,
                                   deviceSpec.format, deviceSpec.channels, deviceSpec.freq);
    if (needed < 0)
        return false;
    if (needed > 0) {
        convert.len = (int)length;
        buffer.resize((size_t)length * (size_t)convert.len_mult);
        convert.buf = &buffer[0];
        if (SDL_ConvertAudio(&convert) != 0)
            return false;
        buffer.resize((size_t)convert.len_cvt);
    }
    return true;
}

BOOL DesktopPlaySound(const char* sound, DWORD flags)
{
    if (!sound || !(flags & SND_FILENAME)) {
        StopSound();
        return sound == nullptr;
    }

    std::basic_string<Uint8> buffer;
    if (!LoadSamples(HostPath(sound), buffer)) {
        // Silence instead of the default sound; the game never looks at the result.
        StopSound();
        return TRUE;
    }
    SDL_ClearQueuedAudio(audioDevice);
    SDL_QueueAudio(audioDevice, buffer.data(), (Uint32)buffer.size());
    if (!(flags & SND_ASYNC)) {
        while (SDL_GetQueuedAudioSize(audioDevice) > 0)
            SDL_Delay(5);
    }
    return TRUE;
}

// For the layer's own tests: the bytes still waiting to be played, in the device's format
// (16-bit stereo at 22,050 Hz); 0 while no device is open.
Uint32 LayerQueuedSoundBytes()
{
    return audioDevice ? SDL_GetQueuedAudioSize(audioDevice) : 0;
}

// Whether an audio device is open.
bool LayerSoundDeviceOpen()
{
    return audioDevice != 0;
}

// Closes the device and forgets that none could be opened, so that the next sound opens it
// afresh (with the audio driver SDL_AUDIODRIVER names then).
void LayerResetSound()
{
    if (audioDevice)
        SDL_CloseAudioDevice(audioDevice);
    audioDevice = 0;
    audioUnavailable = false;
    if (audioSubsystemOurs && SDL_WasInit(SDL_INIT_AUDIO))
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioSubsystemOurs = false;
}
