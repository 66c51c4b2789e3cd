#include "tools/assetgen/wav_writer.h"

#include <cmath>
#include <cstdint>
#include <fstream>

#include "tools/formats/little_endian.h"
#include "tools/formats/wave.h"

bool WriteWav(const std::string& path, const std::vector<double>& samples)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<unsigned char> out = WaveHeader({1, kSampleRate, 16}, dataBytes);
    out.reserve(out.size() + dataBytes);
    for (double s : samples) {
        long v = std::lround(s * 32767.0);
        if (v > 32767)
            v = 32767;
        if (v < -32767)
            v = -32767;
        Put16(out, static_cast<uint16_t>(static_cast<int16_t>(v)));
    }

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
