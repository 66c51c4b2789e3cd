// The desktop sound player's parts: the audio device that plays one cue at a time, and the
// loader thread that reads, decodes and converts the wave files off the game thread.
#pragma once

#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include <SDL.h>

// A cue's samples in the device's format, shared by the cache and the device while it plays.
using CueSamples = std::shared_ptr<const std::vector<Uint8>>;

// What a file was when it was read: a file changed, replaced or touched on disk differs in one
// of these and is read again.
struct CueFileKey {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    time_t modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    bool operator==(const CueFileKey& other) const;
};
CueFileKey CueKeyOf(const struct stat& status);

// The device (cue_device.cpp). Opening it is the loader's work; the others may be called from
// any thread. Playing replaces whatever plays, from the new cue's start; both hand back the cue
// that played, for the caller to let go of.
bool CueDeviceOpen(SDL_AudioSpec& format);
CueSamples CueDevicePlay(CueSamples samples);
CueSamples CueDeviceStop();
Uint32 CueDeviceBytesLeft();
bool CueDeviceIsOpen();
void CueDeviceClose();

// The loader (cue_loader.cpp). CuePlay plays the file at once when its samples are known and
// otherwise stops the sound and leaves the file to the loader, which starts it when it is ready
// unless another call came in between: the latest call always wins.
void CuePlay(const std::string& path, const CueFileKey& key);
void CueStop();
void CueWaitForLoader();
// For tests: a held loader starts nothing new until it is let go.
void CueHoldLoader(bool held);
void CueLoaderReset();
