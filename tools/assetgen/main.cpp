// trimvald-assetgen DATA_DIR [ICONS_DIR]: writes the game's textures into DATA_DIR/Textures
// and its sounds into DATA_DIR/Sounds; with ICONS_DIR also the application icons there (PNGs
// for desktops, an .ico for Windows), which the game never reads, so they stay out of Data/.
// Everything is synthesised here, the same bytes on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/ico_writer.h"
#include "tools/assetgen/icons.h"
#include "tools/assetgen/sounds.h"
#include "tools/assetgen/textures.h"
#include "tools/assetgen/wav_writer.h"
#include "tools/formats/png_writer.h"

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

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes)
{
    if (bytes.empty())
        return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

// trimvald-SIZE.png for the desktops, trimvald.ico with the sizes Windows asks for. Each size
// is drawn once, 48 and 256 serving both.
bool WriteIcons(const std::filesystem::path& folder)
{
    const int sizes[] = {16, 32, 48, 64, 128, 256};
    std::vector<IconImage> ico;
    for (int size : sizes) {
        const IconImage icon = MakeIcon(size);
        if (size == 16 || size == 32 || size == 48 || size == 256)
            ico.push_back(icon);
        if (size < 48)
            continue;
        const std::string path = (folder / ("trimvald-" + std::to_string(size) + ".png")).string();
        if (!WriteBytes(path, EncodePng(icon.size, icon.size, 4, icon.rgba, true))) {
            std::fprintf(stderr, "trimvald-assetgen: cannot write %s\n", path.c_str());
            return false;
        }
    }
    const std::string path = (folder / "trimvald.ico").string();
    if (!WriteBytes(path, EncodeIco(ico))) {
        std::fprintf(stderr, "trimvald-assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: trimvald-assetgen DATA_DIR [ICONS_DIR]\n");
        return 2;
    }
    const std::filesystem::path data(argv[1]);
    const std::filesystem::path textures = data / "Textures";
    const std::filesystem::path sounds = data / "Sounds";
    if (!MakeFolder(textures) || !MakeFolder(sounds) || (argc == 3 && !MakeFolder(argv[2])))
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
    if (argc == 3 && !WriteIcons(argv[2]))
        return 1;
    return 0;
}
