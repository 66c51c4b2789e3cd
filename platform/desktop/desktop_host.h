// The desktop host's calls for the programs: its record, the start of a player's desktop, the
// data folder, and what its sound player holds, for checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

// The player's settings file ($XDG_CONFIG_HOME/trimvald/settings.ini, else under ~/.config); its
// settings read and put in force for the host (the defaults where there is none), and its
// problems, one line each ("FILE:LINE: what is wrong"); the settings in force as a file's lines;
// the commented defaults written where there is no file (`written` says whether it was),
// false with the reason when it cannot be.
std::string DesktopSettingsPath();
std::vector<std::string> DesktopLoadSettings();
std::string DesktopSettingsInForce();
bool DesktopWriteDefaultSettings(bool& written, std::string& error);

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
