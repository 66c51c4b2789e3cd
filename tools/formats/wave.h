// Wave files of PCM sound: the header written in one place for every tool that makes one (the
// asset generator's cues, the cue benchmark's huge wave), and read back by the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct WaveFormat {
    uint16_t channels = 0;
    uint32_t rate = 0;  // samples a second, each channel
    uint16_t bits = 0;  // a sample
};

// The 44 bytes of a PCM wave before its `dataBytes` bytes of samples: the RIFF header, the
// format chunk and the data chunk's own header.
std::vector<unsigned char> WaveHeader(const WaveFormat& format, uint32_t dataBytes);

// What a wave file says of itself, its chunks walked as a player would.
struct WaveFile {
    uint32_t riffSize = 0;  // the file's size less the first 8 bytes, as its header says
    uint16_t encoding = 0;  // 1: PCM
    WaveFormat format;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    std::size_t dataAt = 0;  // where the samples start, and how many bytes they take
    std::size_t dataBytes = 0;
};

// Reads a RIFF WAVE file's format chunk and finds its data chunk; false when the bytes are no
// RIFF WAVE. A chunk cut off by the end of the file ends the walk.
bool ReadWave(const std::vector<unsigned char>& bytes, WaveFile& wave);
