// PlaySoundA: the host plays the wave file (or stops what plays).
#include "platform/layer/layer.h"

BOOL WINAPI PlaySoundA(LPCSTR sound, HMODULE, DWORD flags)
{
    return layerHost.playSound(sound, flags);
}
