// trimvald-assetgen DATA_DIR: writes the game's textures into DATA_DIR/Textures and its sounds
// into DATA_DIR/Sounds. Everything is synthesised here, the same bytes on every run.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/sounds.h"
#include "tools/assetgen/textures.h"
#include "tools/assetgen/wav_writer.h"

namespace {

struct TextureAsset {
    const char* name;
    Image (*make)();
};

struct SoundAsset {
    const char* name;
    std::vector<double> (*make)();
};

Image MakeEnemyAwake() { return MakeEnemy(false); }
Image MakeEnemyFrozen() { return MakeEnemy(true); }

const TextureAsset kTextures[] = {
    {"1B", MakePyramid},    {"1D", MakeFloor},     {"1S", MakeSky},
    {"1L", MakeWalls},      {"1T", MakeTextTint},  {"1P", MakeTitlePanel},
    {"1E", MakeEnemyAwake}, {"1R", MakeLightning}, {"2S", MakeIceBall},
    {"3S", MakeMurkBall},   {"4S", MakeFireBall},  {"2E", MakeEnemyFrozen},
    {"1F", MakeFlames},
};

const SoundAsset kSounds[] = {
    {"1M", MakeClick},    {"1F", MakeWhoosh}, {"2D", MakeThud},  {"1V", MakeBoom},
    {"1E", MakeIgnition}, {"1D", MakeBuzz},   {"1U", MakeChime}, {"1A", MakeDing},
};

bool MakeFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "trimvald-assetgen: cannot create %s: %s\n", folder.string().c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: trimvald-assetgen DATA_DIR\n");
        return 2;
    }
    const std::filesystem::path data(argv[1]);
    const std::filesystem::path textures = data / "Textures";
    const std::filesystem::path sounds = data / "Sounds";
    if (!MakeFolder(textures) || !MakeFolder(sounds))
        return 1;

    for (const TextureAsset& asset : kTextures) {
        const std::string path = (textures / (std::string(asset.name) + ".bmp")).string();
        if (!WriteBmp(path, asset.make())) {
            std::fprintf(stderr, "trimvald-assetgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    for (const SoundAsset& asset : kSounds) {
        const std::string path = (sounds / (std::string(asset.name) + ".wav")).string();
        if (!WriteWav(path, asset.make())) {
            std::fprintf(stderr, "trimvald-assetgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
