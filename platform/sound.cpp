// PlaySoundA for wave files: each call stops the sound still playing and starts the new one.
// A file that cannot be found or played plays nothing.
#include <string>

#include "platform/layer.h"

static SDL_AudioDeviceID audioDevice = 0;
static SDL_AudioSpec deviceSpec;
static bool audioUnavailable = false;

static bool OpenAudio()
{
    if (audioDevice)
        return true;
    if (audioUnavailable)
        return false;
    if (!SDL_WasInit(SDL_INIT_AUDIO) && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        audioUnavailable = true;
        return false;
    }
    SDL_AudioSpec want = {};
    want.freq = 22050;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    audioDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &deviceSpec, 0);
    if (!audioDevice) {
        audioUnavailable = true;
        return false;
    }
    SDL_PauseAudioDevice(audioDevice, 0);
    return true;
}

static std::string HostPath(const char* windowsPath)
{
    std::string path = windowsPath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE, DWORD flags)
{
    if (layerAutomation) {
        if (layerAutomation->sound && sound)
            layerAutomation->sound(sound);
        return TRUE;
    }
    if (!OpenAudio())
        return FALSE;
    if (!sound) {
        SDL_ClearQueuedAudio(audioDevice);
        return TRUE;
    }
    if (!(flags & SND_FILENAME))
        return FALSE;

    SDL_AudioSpec fileSpec;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(HostPath(sound).c_str(), &fileSpec, &samples, &length))
        return FALSE;
    SDL_AudioCVT convert;
    int needed = SDL_BuildAudioCVT(&convert, fileSpec.format, fileSpec.channels, fileSpec.freq,
                                   deviceSpec.format, deviceSpec.channels, deviceSpec.freq);
    if (needed < 0) {
        SDL_FreeWAV(samples);
        return FALSE;
    }
    std::basic_string<Uint8> buffer(samples, samples + length);
    SDL_FreeWAV(samples);
    if (needed > 0) {
        convert.len = (int)length;
        buffer.resize((size_t)length * (size_t)convert.len_mult);
        convert.buf = &buffer[0];
        if (SDL_ConvertAudio(&convert) != 0)
            return FALSE;
        buffer.resize((size_t)convert.len_cvt);
    }
    SDL_ClearQueuedAudio(audioDevice);
    SDL_QueueAudio(audioDevice, buffer.data(), (Uint32)buffer.size());
    if (!(flags & SND_ASYNC)) {
        while (SDL_GetQueuedAudioSize(audioDevice) > 0)
            SDL_Delay(5);
    }
    return TRUE;
}
