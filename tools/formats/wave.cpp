#include "tools/formats/wave.h"

#include <string>

#include "tools/formats/little_endian.h"

namespace {

void PutTag(std::vector<unsigned char>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

uint32_t Get32(const std::vector<unsigned char>& d, std::size_t at)
{
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

uint16_t Get16(const std::vector<unsigned char>& d, std::size_t at)
{
    return static_cast<uint16_t>(d[at] | (d[at + 1] << 8));
}

}  // namespace

std::vector<unsigned char> WaveHeader(const WaveFormat& format, uint32_t dataBytes)
{
    const uint16_t blockAlign = static_cast<uint16_t>(format.channels * (format.bits / 8));
    std::vector<unsigned char> out;
    out.reserve(44);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, format.channels);
    Put32(out, format.rate);
    Put32(out, format.rate * blockAlign);  // bytes per second
    Put16(out, blockAlign);
    Put16(out, format.bits);
    PutTag(out, "data");
    Put32(out, dataBytes);
    return out;
}

bool ReadWave(const std::vector<unsigned char>& d, WaveFile& wave)
{
    wave = WaveFile();
    if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF" ||
        std::string(d.begin() + 8, d.begin() + 12) != "WAVE")
        return false;
    wave.riffSize = Get32(d, 4);
    std::size_t at = 12;
    while (at + 8 <= d.size()) {
        const std::string tag(d.begin() + at, d.begin() + at + 4);
        const uint32_t size = Get32(d, at + 4);
        const std::size_t body = at + 8;
        if (body + size > d.size())
            break;
        if (tag == "fmt " && size >= 16) {
            wave.encoding = Get16(d, body);
            wave.format.channels = Get16(d, body + 2);
            wave.format.rate = Get32(d, body + 4);
            wave.byteRate = Get32(d, body + 8);
            wave.blockAlign = Get16(d, body + 12);
            wave.format.bits = Get16(d, body + 14);
        } else if (tag == "data") {
            wave.dataAt = body;
            wave.dataBytes = size;
        }
        at = body + size + (size & 1);
    }
    return true;
}
