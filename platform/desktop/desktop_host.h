// The desktop host's calls for the programs: its record, the start of a player's desktop, the
// data folder, and what its sound player holds, for checks.
#pragma once

#include <cstdint>
#include <string>

#include "platform/host.h"

// The desktop host, over SDL.
const LayerHost& DesktopHost();

// Marks this process as the real game on a player's desktop; its entry calls this first, before
// SDL starts. From then on the video subsystem comes up only on a display a player can see
// (never on SDL's offscreen or dummy drivers, unless SDL_VIDEODRIVER asks for one), SIGTERM,
// SIGINT and SIGHUP close the game as closing its window does, and ALSA's own error output is
// silenced.
void DesktopStart();

// The folder the game runs in: the first of the current one, the executable's own and its
// ../share/trimvald that holds Data/ (the current one when none does); and the running
// executable's path (argv[0] only where /proc cannot tell).
std::string DesktopDataFolder(const std::string& executable);
std::string DesktopExecutablePath(const char* argv0);

// Whether an SDL video driver shows nothing a player can see (offscreen, dummy, evdev).
bool DesktopVideoShowsNothing(const char* driver);

// What the sound player holds, for checks: the bytes still to be played on the audio device,
// whether a device is open, a wait until the files asked for are loaded, a hold on the loader
// (nothing new is loaded while held); and a reset that stops the loader, closes the device and
// forgets a device that failed.
uint32_t DesktopQueuedSoundBytes();
bool DesktopSoundDeviceOpen();
void DesktopWaitForSound();
void DesktopHoldSoundLoader(bool held);
void DesktopResetSound();
