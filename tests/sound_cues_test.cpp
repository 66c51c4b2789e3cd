// The sound cues: the layer's PlaySoundA over SDL audio (run with SDL's dummy driver), and the
// cues the game starts, in the order of a frame's pass.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "platform/desktop/desktop_host.h"
#include "platform/scripted/scripted_host.h"
#include "platform/platform.h"
#include "tests/scenario.h"

namespace {

const DWORD cueFlags = SND_FILENAME | SND_ASYNC;  // 0x20001, as every cue is played

// A cue's file as the host names it.
std::string HostPath(const char* cue)
{
    std::string path = cue;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

// Bytes the device plays for a wave file: 16-bit stereo at 22,050 Hz, as the layer opens it.
uint32_t DeviceBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto u32 = [&](std::size_t at) {
        return (uint32_t)bytes[at] | (uint32_t)bytes[at + 1] << 8 | (uint32_t)bytes[at + 2] << 16 |
               (uint32_t)bytes[at + 3] << 24;
    };
    uint32_t channels = 0, rate = 0, bits = 0, data = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size(); at += 8 + u32(at + 4) + (u32(at + 4) & 1)) {
        std::string tag(bytes.begin() + at, bytes.begin() + at + 4);
        if (tag == "fmt ") {
            channels = bytes[at + 10] | bytes[at + 11] << 8;
            rate = u32(at + 12);
            bits = bytes[at + 22] | bytes[at + 23] << 8;
        } else if (tag == "data") {
            data = u32(at + 4);
        }
    }
    if (!channels || !bits || rate != 22050) {
        ADD_FAILURE() << file << ": not a wave file at 22,050 Hz";
        return 0;
    }
    return data / (channels * bits / 8) * 4;
}

// A quarter of a second of the device's sound: the most the dummy device may play between a
// call and the check after it on a busy machine.
const uint32_t slack = 22050;

class SoundLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        DesktopResetSound();
    }
    void TearDown() override
    {
        PlaySoundA(nullptr, nullptr, 0);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        DesktopResetSound();
    }
};

// Plays a cue and waits until the loader has it playing.
void PlayLoaded(const char* file)
{
    PlaySoundA(file, nullptr, cueFlags);
    DesktopWaitForSound();
}

TEST_F(SoundLayer, ACueIsLoadedOffTheGameThreadOnceAndPlaysAtOnceAfter)
{
    uint32_t whole = DeviceBytes(HostPath(deathCue));
    ASSERT_GT(whole, 2 * slack);
    // The call leaves the file to the loader: nothing plays until the loader has it.
    DesktopHoldSoundLoader(true);
    EXPECT_TRUE(PlaySoundA(deathCue, nullptr, cueFlags));
    EXPECT_EQ(DesktopQueuedSoundBytes(), 0u);
    DesktopHoldSoundLoader(false);
    DesktopWaitForSound();
    EXPECT_LE(DesktopQueuedSoundBytes(), whole);
    EXPECT_GT(DesktopQueuedSoundBytes(), whole - slack) << "the call did not wait for the sound";
    // Played again, it is known: it plays from the call itself, the loader held.
    DesktopHoldSoundLoader(true);
    PlaySoundA(respawnCue, nullptr, cueFlags);
    PlaySoundA(deathCue, nullptr, cueFlags);
    EXPECT_GT(DesktopQueuedSoundBytes(), whole - slack);
    // A path already in the host's form is another name; it is loaded as well.
    PlaySoundA(HostPath(deathCue).c_str(), nullptr, cueFlags);
    DesktopHoldSoundLoader(false);
    DesktopWaitForSound();
    EXPECT_GT(DesktopQueuedSoundBytes(), whole - slack);
}

TEST_F(SoundLayer, EachCallCutsOffTheSoundBeforeItAndTheLatestCallWins)
{
    uint32_t first = DeviceBytes(HostPath(deathCue));
    uint32_t second = DeviceBytes(HostPath(respawnCue));
    ASSERT_GT(first, second) << "the two must be told apart by length";
    // Two files asked for before either is loaded: only the second ever plays.
    DesktopHoldSoundLoader(true);
    PlaySoundA(deathCue, nullptr, cueFlags);
    PlaySoundA(respawnCue, nullptr, cueFlags);
    DesktopHoldSoundLoader(false);
    DesktopWaitForSound();
    uint32_t queued = DesktopQueuedSoundBytes();
    EXPECT_LE(queued, second) << "nothing of the first is left";
    EXPECT_GT(queued, second - slack);
    // A known cue cuts the one playing, and the same cue again starts from its beginning.
    PlayLoaded(deathCue);
    PlaySoundA(respawnCue, nullptr, cueFlags);
    EXPECT_LE(DesktopQueuedSoundBytes(), second);
    PlaySoundA(respawnCue, nullptr, cueFlags);
    EXPECT_GT(DesktopQueuedSoundBytes(), second - slack);
    // A null name stops the sound, and a stop also cancels a file still being loaded.
    PlaySoundA(nullptr, nullptr, 0);
    EXPECT_EQ(DesktopQueuedSoundBytes(), 0u);
    DesktopHoldSoundLoader(true);
    PlaySoundA(ignitionCue, nullptr, cueFlags);
    PlaySoundA(nullptr, nullptr, 0);
    DesktopHoldSoundLoader(false);
    DesktopWaitForSound();
    EXPECT_EQ(DesktopQueuedSoundBytes(), 0u);
}

TEST_F(SoundLayer, AFileChangedOnDiskIsReadAgain)
{
    std::string cue = ::testing::TempDir() + "trimvald-changed-" + std::to_string(getpid()) + ".wav";
    auto copy = [&](const char* from) {
        std::ifstream in(HostPath(from), std::ios::binary);
        std::ofstream(cue, std::ios::binary | std::ios::trunc) << in.rdbuf();
    };
    copy(deathCue);
    PlayLoaded(cue.c_str());
    EXPECT_GT(DesktopQueuedSoundBytes(), DeviceBytes(HostPath(deathCue)) - slack);
    copy(respawnCue);
    PlayLoaded(cue.c_str());
    EXPECT_LE(DesktopQueuedSoundBytes(), DeviceBytes(HostPath(respawnCue)));
    // Gone from disk: it stops the sound, however well it was known.
    std::remove(cue.c_str());
    PlaySoundA(cue.c_str(), nullptr, cueFlags);
    EXPECT_EQ(DesktopQueuedSoundBytes(), 0u);
}

TEST_F(SoundLayer, AFileThatCannotBePlayedStopsTheSoundAndIsNotReported)
{
    // Nothing to play opens no device.
    EXPECT_TRUE(PlaySoundA("Data\\Sounds\\none.wav", nullptr, cueFlags));
    PlayLoaded("Data\\Textures\\1D.bmp");
    EXPECT_FALSE(DesktopSoundDeviceOpen());
    // A named pipe in a cue's place would block the read for ever (the test's time limit
    // catches that).
    std::string pipe = "/tmp/trimvald-cue-" + std::to_string(getpid()) + ".wav";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (std::string unplayable :
         {"Data\\Sounds\\none.wav", "Data\\Textures\\1D.bmp", "Data\\Sounds", "", pipe.c_str()}) {
        PlayLoaded(deathCue);
        ASSERT_GT(DesktopQueuedSoundBytes(), 0u);
        EXPECT_TRUE(PlaySoundA(unplayable.c_str(), nullptr, cueFlags)) << unplayable;
        DesktopWaitForSound();
        EXPECT_EQ(DesktopQueuedSoundBytes(), 0u) << unplayable;
    }
    unlink(pipe.c_str());
}

TEST_F(SoundLayer, WithoutADeviceEveryCallReturnsAndNoneTriesAgain)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    DesktopResetSound();
    EXPECT_TRUE(PlaySoundA(pickupCue, nullptr, cueFlags));
    DesktopWaitForSound();
    EXPECT_FALSE(DesktopSoundDeviceOpen());
    EXPECT_EQ(DesktopQueuedSoundBytes(), 0u);
    // Once found missing, the device is not asked for again, even when it could be had now.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    for (int i = 0; i < 100; ++i)
        PlaySoundA(pickupCue, nullptr, cueFlags);
    PlayLoaded(deathCue);
    EXPECT_FALSE(DesktopSoundDeviceOpen());
    PlaySoundA(nullptr, nullptr, 0);
}

// The cues as the game starts them, in one pass of the main loop: Enter's menu cue in the menu
// input, the pickup cue late in the frame, Escape's menu cue after the frame and the cast cue
// after the swap.
TEST(SoundCues, MenuCuesOncePerPressAndInTheOrderOfThePass)
{
    ReplayOptions options;
    options.frameEnd = [](int frame) {
        if (frame == 1) {
            game.playerX = 19.0f;
            game.playerZ = 19.0f;
        }
    };
    ScenarioResult run = RunScenario(
        "answer yes\nframes 5 ENTER\nframes 2\nframes 1 ENTER ESC E\nframes 3 ESC\nframes 2\nframes 1 ESC\n", options,
        [] { game.difficulty = 1.0f; });
    auto sounds = [&](int frame) { return run.frame(frame)["sounds"].get<std::vector<std::string>>(); };
    using Cues = std::vector<std::string>;
    EXPECT_EQ(sounds(1), Cues({menuCue})) << "a new game";
    for (int frame = 2; frame <= 7; ++frame)
        EXPECT_EQ(sounds(frame), Cues({pickupCue})) << "held Enter plays no more; frame " << frame;
    EXPECT_EQ(sounds(8), Cues({menuCue, pickupCue, menuCue, castCue}))
        << "Enter, the square, Escape (a pause), then the cast";
    for (int frame = 9; frame <= 13; ++frame)
        EXPECT_EQ(sounds(frame), Cues({pickupCue})) << "the world runs on behind the panel; frame " << frame;
    EXPECT_EQ(run.frameCount(), 14);
    EXPECT_EQ(sounds(14).back(), menuCue) << "Escape with no game running ends the program";
    EXPECT_EQ(run.exitCode(), 0);
}

// Every event of a pass at once, in the fifth frame of a game: Enter, the enemy on the player
// and dying, a pickup about to return, the player in a corner square, a burn catching, then
// Escape and a cast. The lightning strikes by its own rolls; when it does, its cue comes after
// the death cue and before the respawn cue.
TEST(SoundCues, AllCuesOfOnePassInTheOrderOfTheFrame)
{
    ReplayOptions options;
    options.frameEnd = [](int frame) {
        if (frame == 1) {
            game.playerX = 19.0f;
            game.playerZ = 19.0f;
        }
        if (frame == 4) {
            game.jumpHeight = 0.0f;
            game.jumpVelocity = 0.0f;
            game.enemyX = -19.0f;
            game.enemyZ = -19.0f;
            game.enemyY = 0.5f;
            game.enemyHealth = 0.0f;
            game.pickupTimer[0] = 198.0f;
            game.burning = 1.0f;
            game.burnTimer = 1.0f;
        }
    };
    ScenarioResult run = RunScenario("answer yes\nframes 1 ENTER\nframes 3\nframes 1 ENTER ESC E\n", options,
                                     [] { game.difficulty = 1.0f; });
    std::vector<std::string> sounds = run.frame(5)["sounds"];
    std::vector<std::string> expected = {menuCue,   contactCue, deathCue, respawnCue, pickupCue,
                                         ignitionCue, menuCue,  castCue};
    std::vector<std::string> withoutLightning;
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        if (sounds[i] != lightningCue) {
            withoutLightning.push_back(sounds[i]);
            continue;
        }
        EXPECT_EQ(withoutLightning.size(), 3u) << "the lightning cue between the death and the respawn cues";
    }
    EXPECT_EQ(withoutLightning, expected);
}

}  // namespace
