// trimvald-cue-bench: what one PlaySoundA call costs the game thread on the desktop host, for
// the game's own cues and for a hostile 200 MB wave in a cue's place. Run in a folder holding
// Data/ (the build tree); SDL_AUDIODRIVER picks the device (dummy when unset).
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "platform/desktop/desktop_host.h"
#include "platform/host.h"
#include "platform/platform.h"
#include "tools/formats/wave.h"

using Clock = std::chrono::steady_clock;

static double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

static double TimedCall(const std::string& file)
{
    Clock::time_point start = Clock::now();
    PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
    return MsSince(start);
}

static void Report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("  %-44s calls %6zu  median %.4f ms  p99 %.4f ms  max %.4f ms\n", what, ms.size(),
                ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)], ms.back());
}

// A wave of `bytes` bytes of silence at 44,100 Hz, 16-bit stereo: the device plays it converted.
static bool WriteBigWave(const std::string& path, unsigned bytes)
{
    std::ofstream out(path, std::ios::binary);
    std::vector<unsigned char> header = WaveHeader({2, 44100, 16}, bytes);
    out.write(reinterpret_cast<const char*>(header.data()), (std::streamsize)header.size());
    std::vector<char> zeros(1 << 20, 0);
    for (unsigned left = bytes; left > 0;) {
        unsigned piece = std::min<unsigned>(left, (unsigned)zeros.size());
        out.write(zeros.data(), piece);
        left -= piece;
    }
    return bool(out);
}

int main()
{
    setenv("SDL_AUDIODRIVER", getenv("SDL_AUDIODRIVER") ? getenv("SDL_AUDIODRIVER") : "dummy", 1);
    LayerSetDefaultHost(DesktopHost());
    std::vector<std::string> cues;
    if (DIR* folder = opendir("Data/Sounds")) {
        while (dirent* entry = readdir(folder)) {
            std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".wav") == 0)
                cues.push_back("Data\\Sounds\\" + name);
        }
        closedir(folder);
    }
    if (cues.empty()) {
        std::fprintf(stderr, "trimvald-cue-bench: no Data/Sounds/*.wav here; run it in the build tree\n");
        return 2;
    }
    std::sort(cues.begin(), cues.end());

    std::printf("PlaySoundA on the game thread, %zu shipped cues, SDL audio driver %s:\n", cues.size(),
                getenv("SDL_AUDIODRIVER"));
    // The first call of the process starts the loader thread.
    double first = TimedCall(cues[0]);
    std::vector<double> cold;
    for (size_t i = 1; i < cues.size(); ++i)
        cold.push_back(TimedCall(cues[i]));
    DesktopWaitForSound();
    for (const std::string& cue : cues) {
        PlaySoundA(cue.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
        DesktopWaitForSound();
    }
    std::vector<double> warm, missing;
    for (int round = 0; round < 20000; ++round)
        warm.push_back(TimedCall(cues[round % cues.size()]));
    for (int round = 0; round < 20000; ++round)
        missing.push_back(TimedCall("Data\\Sounds\\none.wav"));
    std::printf("  %-44s %.4f ms\n", "first call (starts the loader)", first);
    Report("a cue not yet loaded", cold);
    Report("a cue loaded before (the game's every call)", warm);
    Report("a missing file", missing);

    std::string big = "/tmp/trimvald-cue-bench-" + std::to_string(getpid()) + ".wav";
    if (!WriteBigWave(big, 200u << 20)) {
        std::fprintf(stderr, "trimvald-cue-bench: cannot write %s\n", big.c_str());
        return 1;
    }
    std::vector<double> hostile;
    Clock::time_point asked = Clock::now();
    hostile.push_back(TimedCall(big));
    // The game goes on calling while the big file loads: each of its cues still costs as little.
    for (int round = 0; round < 200; ++round)
        hostile.push_back(TimedCall(round % 2 ? big : cues[round % cues.size()]));
    Report("calls while a 200 MB wave loads", hostile);
    PlaySoundA(big.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
    DesktopWaitForSound();
    std::printf("  %-44s %.1f ms (off the game thread)\n", "the 200 MB wave loaded and playing after",
                MsSince(asked));
    std::remove(big.c_str());
    DesktopResetSound();
    return 0;
}
