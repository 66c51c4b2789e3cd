#include "tools/assetgen/wav_writer.h"
#include "tools/assetgen/little_endian.h"

#include <cmath>
#include <cstdint>
#include <fstream>

namespace {


void PutTag(std::vector<unsigned char>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

bool WriteWav(const std::string& path, const std::vector<double>& samples)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kSampleRate);
    Put32(out, kSampleRate * 2);  // bytes per second
    Put16(out, 2);                // block align
    Put16(out, 16);               // bits per sample
    PutTag(out, "data");
    Put32(out, dataBytes);
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
