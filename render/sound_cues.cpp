#include "render/sound_cues.h"

#include "platform/platform.h"

const char* const menuCue = "Data\\Sounds\\1M.wav";
const char* const castCue = "Data\\Sounds\\1F.wav";
const char* const contactCue = "Data\\Sounds\\2D.wav";
const char* const deathCue = "Data\\Sounds\\1V.wav";
const char* const ignitionCue = "Data\\Sounds\\1E.wav";
const char* const lightningCue = "Data\\Sounds\\1D.wav";
const char* const respawnCue = "Data\\Sounds\\1U.wav";
const char* const pickupCue = "Data\\Sounds\\1A.wav";

void PlayCue(const char* file)
{
    PlaySoundA(file, NULL, SND_FILENAME | SND_ASYNC);
}
