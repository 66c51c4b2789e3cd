// The asset generator's output: every texture a bitmap the game can load and fit for how it is
// drawn, every sound a short clean wave file, and the same bytes from every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "tools/formats/wave.h"

namespace {

namespace fs = std::filesystem;

const char* const kTextureNames[] = {"1B", "1D", "1S", "1L", "1T", "1P", "1E",
                                     "1R", "2S", "3S", "4S", "2E", "1F"};
const char* const kSoundNames[] = {"1M", "1F", "2D", "1V", "1E", "1D", "1U", "1A"};
const char* const kIconNames[] = {"trimvald-48.png", "trimvald-64.png", "trimvald-128.png",
                                  "trimvald-256.png", "trimvald.ico"};

std::vector<unsigned char> ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
}

uint32_t U32(const std::vector<unsigned char>& d, size_t at)
{
    return d[at] | (d[at + 1] << 8) | (d[at + 2] << 16) | (static_cast<uint32_t>(d[at + 3]) << 24);
}

uint16_t U16(const std::vector<unsigned char>& d, size_t at)
{
    return static_cast<uint16_t>(d[at] | (d[at + 1] << 8));
}

int RunGenerator(const std::string& arguments)
{
    const std::string command = std::string("'") + ASSETGEN_EXE + "' " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

fs::path MakeTempFolder()
{
    std::string pattern = ::testing::TempDir() + "assetgen_XXXXXX";
    if (!mkdtemp(&pattern[0]))
        return {};
    return pattern;
}

struct Pixel {
    int r, g, b;
    int Max() const { return std::max(r, std::max(g, b)); }
};

// A parsed bitmap: rows as OpenGL sees them, row 0 being t = 0.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;
    const Pixel& At(int x, int row) const { return pixels[static_cast<size_t>(row) * width + x]; }
};

// Reads the pixels of a 24-bit bottom-up bitmap; the header checks are the tests' own.
Bitmap ParseBitmap(const std::vector<unsigned char>& d)
{
    Bitmap bitmap;
    if (d.size() < 54)
        return bitmap;
    bitmap.width = static_cast<int>(U32(d, 18));
    bitmap.height = static_cast<int>(U32(d, 22));
    const size_t stride = (static_cast<size_t>(bitmap.width) * 3 + 3) & ~size_t(3);
    const size_t offset = U32(d, 10);
    if (bitmap.width <= 0 || bitmap.height <= 0 || offset + stride * bitmap.height > d.size())
        return Bitmap();
    for (int row = 0; row < bitmap.height; ++row) {
        for (int x = 0; x < bitmap.width; ++x) {
            const size_t i = offset + stride * row + static_cast<size_t>(x) * 3;
            bitmap.pixels.push_back({d[i + 2], d[i + 1], d[i]});
        }
    }
    return bitmap;
}

int Difference(const Pixel& a, const Pixel& b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// Mean colour step between neighbouring columns: over the whole picture, next to the wrap
// (the last two and the first two columns), and across the wrap itself.
struct Steps {
    double inside = 0.0;
    double nearWrap = 0.0;
    double acrossWrap = 0.0;
    // A seam shows as a step across the wrap well above the steps inside and beside it.
    bool Seamless() const { return acrossWrap <= 1.5 * std::max(inside, nearWrap) + 2.0; }
};

Steps ColumnSteps(const Bitmap& b)
{
    Steps steps;
    for (int row = 0; row < b.height; ++row) {
        for (int x = 0; x + 1 < b.width; ++x)
            steps.inside += Difference(b.At(x, row), b.At(x + 1, row));
        steps.nearWrap += Difference(b.At(b.width - 2, row), b.At(b.width - 1, row)) +
                          Difference(b.At(0, row), b.At(1, row));
        steps.acrossWrap += Difference(b.At(b.width - 1, row), b.At(0, row));
    }
    steps.inside /= static_cast<double>(b.height) * (b.width - 1);
    steps.nearWrap /= 2.0 * b.height;
    steps.acrossWrap /= b.height;
    return steps;
}

Steps RowSteps(const Bitmap& b)
{
    Steps steps;
    for (int x = 0; x < b.width; ++x) {
        for (int row = 0; row + 1 < b.height; ++row)
            steps.inside += Difference(b.At(x, row), b.At(x, row + 1));
        steps.nearWrap += Difference(b.At(x, b.height - 2), b.At(x, b.height - 1)) +
                          Difference(b.At(x, 0), b.At(x, 1));
        steps.acrossWrap += Difference(b.At(x, b.height - 1), b.At(x, 0));
    }
    steps.inside /= static_cast<double>(b.width) * (b.height - 1);
    steps.nearWrap /= 2.0 * b.width;
    steps.acrossWrap /= b.width;
    return steps;
}

// Share of the pixels in a rectangle whose brightest channel is below `limit`.
double DarkShare(const Bitmap& b, int x0, int row0, int x1, int row1, int limit = 32)
{
    int dark = 0;
    int total = 0;
    for (int row = row0; row < row1; ++row)
        for (int x = x0; x < x1; ++x, ++total)
            dark += b.At(x, row).Max() < limit ? 1 : 0;
    return total ? static_cast<double>(dark) / total : 0.0;
}

struct MeanColour {
    double r = 0.0, g = 0.0, b = 0.0;
};

MeanColour Mean(const Bitmap& b)
{
    MeanColour m;
    for (const Pixel& p : b.pixels) {
        m.r += p.r;
        m.g += p.g;
        m.b += p.b;
    }
    const double n = b.pixels.empty() ? 1.0 : static_cast<double>(b.pixels.size());
    m.r /= n;
    m.g /= n;
    m.b /= n;
    return m;
}

// A wave file as the tools' reader sees it (tests/formats_test.cpp holds that reader to the
// bytes), with its 16-bit samples.
struct Wave {
    bool riff = false;
    WaveFile file;
    size_t fileSize = 0;
    std::vector<int16_t> samples;
};

Wave ParseWave(const std::vector<unsigned char>& d)
{
    Wave wave;
    wave.fileSize = d.size();
    wave.riff = ReadWave(d, wave.file);
    for (size_t i = 0; i + 1 < wave.file.dataBytes; i += 2)
        wave.samples.push_back(static_cast<int16_t>(U16(d, wave.file.dataAt + i)));
    return wave;
}

// Sign changes per second over a stretch of the sound: a rough measure of its pitch.
double CrossingRate(const std::vector<int16_t>& samples, double from, double to)
{
    const size_t begin = static_cast<size_t>(from * 22050.0);
    const size_t end = std::min(samples.size(), static_cast<size_t>(to * 22050.0));
    if (end <= begin + 1)
        return 0.0;
    int crossings = 0;
    for (size_t i = begin + 1; i < end; ++i)
        crossings += (samples[i - 1] < 0) != (samples[i] < 0) ? 1 : 0;
    return crossings * 22050.0 / (end - begin) / 2.0;
}

uint32_t U32BigEndian(const std::vector<unsigned char>& d, size_t at)
{
    return (static_cast<uint32_t>(d[at]) << 24) | (d[at + 1] << 16) | (d[at + 2] << 8) | d[at + 3];
}

// The checks read the build's own Data/ and Icons/ folders (the tests run from the build folder); the
// first test makes sure that it is what the generator writes now.
class AssetGenerator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fs::is_directory(fs::path("Data") / "Textures")) << "no Data/ in " << fs::current_path();
    }

    static fs::path TexturePath(const std::string& name) { return fs::path("Data") / "Textures" / (name + ".bmp"); }
    static fs::path SoundPath(const std::string& name) { return fs::path("Data") / "Sounds" / (name + ".wav"); }
    static Bitmap Texture(const std::string& name) { return ParseBitmap(ReadFile(TexturePath(name))); }
    static std::vector<int16_t> Sound(const std::string& name) { return ParseWave(ReadFile(SoundPath(name))).samples; }
};

TEST_F(AssetGenerator, WritesTheSameBytesOnEveryRunAndTheBuildHoldsThem)
{
    // The build ran the generator too: its files are the other run to compare with.
    const fs::path first = MakeTempFolder();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(RunGenerator("'" + (first / "Data").string() + "' '" + (first / "Icons").string() + "'"), 0);

    std::vector<fs::path> relative;
    for (const char* name : kTextureNames)
        relative.push_back(fs::path("Data") / "Textures" / (std::string(name) + ".bmp"));
    for (const char* name : kSoundNames)
        relative.push_back(fs::path("Data") / "Sounds" / (std::string(name) + ".wav"));
    for (const char* name : kIconNames)
        relative.push_back(fs::path("Icons") / name);

    // Exactly these files, nothing else.
    size_t written = 0;
    for (const auto& entry : fs::recursive_directory_iterator(first))
        written += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(written, relative.size());

    for (const fs::path& file : relative) {
        const std::vector<unsigned char> a = ReadFile(first / file);
        EXPECT_FALSE(a.empty()) << file;
        EXPECT_TRUE(a == ReadFile(file)) << file << " differs from the build's: not the same bytes every run, or stale";
    }
    std::error_code ignored;
    fs::remove_all(first, ignored);
}

TEST_F(AssetGenerator, RefusesAMissingOrUnwritableFolder)
{
    EXPECT_NE(RunGenerator(""), 0);
    EXPECT_NE(RunGenerator("'" + (TexturePath("1B") / "inside-a-file").string() + "'"), 0);
    const fs::path data = MakeTempFolder();
    ASSERT_FALSE(data.empty());
    EXPECT_NE(RunGenerator("'" + data.string() + "' '" + (TexturePath("1B") / "inside-a-file").string() + "'"), 0);
    std::error_code ignored;
    fs::remove_all(data, ignored);
}

TEST_F(AssetGenerator, TexturesAre24BitBottomUpBitmapsOfPowerOfTwoSizes)
{
    auto powerOfTwoInRange = [](uint32_t v) { return v >= 64 && v <= 256 && (v & (v - 1)) == 0; };
    for (const char* name : kTextureNames) {
        SCOPED_TRACE(name);
        const std::vector<unsigned char> d = ReadFile(TexturePath(name));
        ASSERT_GE(d.size(), 54u);
        EXPECT_EQ(d[0], 'B');
        EXPECT_EQ(d[1], 'M');
        EXPECT_EQ(U32(d, 2), d.size());   // file size
        EXPECT_EQ(U32(d, 10), 54u);       // pixels right after the two headers
        EXPECT_EQ(U32(d, 14), 40u);       // BITMAPINFOHEADER
        const uint32_t width = U32(d, 18);
        const int32_t height = static_cast<int32_t>(U32(d, 22));
        EXPECT_GT(height, 0);             // bottom-up
        EXPECT_TRUE(powerOfTwoInRange(width)) << width;
        EXPECT_TRUE(powerOfTwoInRange(static_cast<uint32_t>(height))) << height;
        EXPECT_EQ(U16(d, 26), 1u);        // planes
        EXPECT_EQ(U16(d, 28), 24u);       // bits per pixel
        EXPECT_EQ(U32(d, 30), 0u);        // BI_RGB
        const uint32_t stride = (width * 3 + 3) & ~3u;
        EXPECT_EQ(U32(d, 34), stride * static_cast<uint32_t>(height));
        EXPECT_EQ(d.size(), 54u + stride * static_cast<uint32_t>(height));
        EXPECT_EQ(U32(d, 46), 0u);        // no colour table
    }
}

TEST_F(AssetGenerator, GlowingTexturesLieOnBlack)
{
    // Drawn additively, black adds nothing: the pyramid's runes, the sky and the flames are
    // mostly black.
    for (const char* name : {"1B", "1S", "1F"}) {
        const Bitmap b = Texture(name);
        ASSERT_FALSE(b.pixels.empty()) << name;
        EXPECT_GT(DarkShare(b, 0, 0, b.width, b.height), 0.5) << name;
    }

    // The walls: black rows at the top and bottom of the tile, bright cyan lines inside.
    const Bitmap wall = Texture("1L");
    ASSERT_FALSE(wall.pixels.empty());
    EXPECT_GT(DarkShare(wall, 0, 0, wall.width, 4), 0.95);
    EXPECT_GT(DarkShare(wall, 0, wall.height - 4, wall.width, wall.height), 0.95);
    int cyan = 0;
    for (const Pixel& p : wall.pixels)
        cyan += (p.g > 180 && p.b > 180 && p.r < p.b - 30) ? 1 : 0;
    EXPECT_GT(cyan, wall.width);
}

TEST_F(AssetGenerator, LightningStripIsABrightBandWithAWhiterCore)
{
    // The beam is drawn opaque, 0.02 units wide and nearly edge-on, so in play it shows as the
    // strip's average colour: that must be bright, not a dark hair-line.
    const Bitmap bolt = Texture("1R");
    ASSERT_FALSE(bolt.pixels.empty());
    double brightest = 0.0;
    for (const Pixel& p : bolt.pixels)
        brightest += p.Max();
    EXPECT_GE(brightest / bolt.pixels.size(), 150.0);

    // Across the strip: the middle quarter outshines the outer eighths, which still glow.
    auto band = [&](int x0, int x1) {
        double sum = 0.0;
        for (int row = 0; row < bolt.height; ++row)
            for (int x = x0; x < x1; ++x)
                sum += bolt.At(x, row).Max();
        return sum / (static_cast<double>(x1 - x0) * bolt.height);
    };
    const int eighth = bolt.width / 8;
    const double core = band(bolt.width / 2 - eighth, bolt.width / 2 + eighth);
    const double edges = (band(0, eighth) + band(bolt.width - eighth, bolt.width)) / 2.0;
    EXPECT_GT(core, edges + 40.0);
    EXPECT_GT(edges, 100.0) << "the glow reaches the edges";

    // Along the strip: near white somewhere in every row, and the brightness flickers.
    std::vector<double> rows;
    for (int row = 0; row < bolt.height; ++row) {
        int whitest = 0;
        double sum = 0.0;
        for (int x = 0; x < bolt.width; ++x) {
            const Pixel& p = bolt.At(x, row);
            whitest = std::max(whitest, std::min(p.r, std::min(p.g, p.b)));
            sum += p.Max();
        }
        ASSERT_GT(whitest, 220) << "the white core breaks off at row " << row;
        rows.push_back(sum / bolt.width);
    }
    EXPECT_GT(*std::max_element(rows.begin(), rows.end()) - *std::min_element(rows.begin(), rows.end()), 15.0);
}

TEST_F(AssetGenerator, FlameCellsBurnFromTheBaseAndFlicker)
{
    const Bitmap b = Texture("1F");
    ASSERT_FALSE(b.pixels.empty());
    ASSERT_EQ(b.width % 8, 0);
    const int cell = b.width / 8;
    std::vector<std::vector<Pixel>> shown;
    for (int c = 0; c < 8; ++c) {
        SCOPED_TRACE(c);
        const int x0 = c * cell;
        // Black above the flame and at the sides, where the cells meet.
        EXPECT_GT(DarkShare(b, x0, b.height * 3 / 4, x0 + cell, b.height), 0.9);
        EXPECT_GT(DarkShare(b, x0, 0, x0 + 1, b.height), 0.9);
        EXPECT_GT(DarkShare(b, x0 + cell - 1, 0, x0 + cell, b.height), 0.9);
        // Bright at the base (t near 0) in the middle of the cell.
        int brightest = 0;
        for (int row = 0; row < b.height / 8; ++row)
            for (int x = x0 + cell / 4; x < x0 + cell * 3 / 4; ++x)
                brightest = std::max(brightest, b.At(x, row).Max());
        EXPECT_GT(brightest, 200);
        std::vector<Pixel> pixels;
        for (int row = 0; row < b.height; ++row)
            for (int x = x0; x < x0 + cell; ++x)
                pixels.push_back(b.At(x, row));
        shown.push_back(pixels);
    }
    // The seven cells the game shows are seven different steps.
    for (int i = 0; i < 7; ++i)
        for (int j = i + 1; j < 7; ++j) {
            long total = 0;
            for (size_t k = 0; k < shown[i].size(); ++k)
                total += Difference(shown[i][k], shown[j][k]);
            EXPECT_GT(total / static_cast<double>(shown[i].size()), 2.0) << i << " and " << j;
        }
}

TEST_F(AssetGenerator, TextTintIsWhiteAtTheBottomGoldHigherUpAndWrapsSmoothly)
{
    const Bitmap b = Texture("1T");
    ASSERT_FALSE(b.pixels.empty());
    // The HUD's band (t from 0 to a few hundredths) and the title's texel (1, 0): near white,
    // so red and blue texts keep their colour.
    for (int row = 0; row < std::max(2, b.height / 25); ++row)
        for (int x = 0; x < b.width; ++x) {
            const Pixel& p = b.At(x, row);
            ASSERT_GE(std::min(p.r, std::min(p.g, p.b)), 230) << "row " << row;
        }
    // Gold somewhere above: full red, clearly less blue.
    bool gold = false;
    for (int row = 0; row < b.height; ++row) {
        const Pixel& p = b.At(0, row);
        gold = gold || (p.r > 230 && p.g > 150 && p.b < 120);
    }
    EXPECT_TRUE(gold);
    // t wraps as the tint drifts: no jump from the top row to the bottom one, nor between s = 1
    // and s = 0.
    EXPECT_TRUE(RowSteps(b).Seamless());
    EXPECT_LE(ColumnSteps(b).acrossWrap, 3.0);
}

TEST_F(AssetGenerator, RepeatedTexturesHaveNoSeams)
{
    // Floor, walls and pyramid repeat in both directions; the spheres wrap round in s.
    for (const char* name : {"1D", "1L", "1B"}) {
        const Bitmap b = Texture(name);
        ASSERT_FALSE(b.pixels.empty()) << name;
        EXPECT_TRUE(ColumnSteps(b).Seamless()) << name;
        EXPECT_TRUE(RowSteps(b).Seamless()) << name;
    }
    for (const char* name : {"1S", "1E", "2E", "2S", "3S", "4S"}) {
        const Bitmap b = Texture(name);
        ASSERT_FALSE(b.pixels.empty()) << name;
        EXPECT_TRUE(ColumnSteps(b).Seamless()) << name;
    }
}

TEST_F(AssetGenerator, TexturesWearTheColoursOfTheirRoles)
{
    // A file swapped for another shows here: each picture's overall cast.
    auto cast = [](const char* name) {
        const MeanColour m = Mean(Texture(name));
        return ::testing::Message() << name << " " << m.r << " " << m.g << " " << m.b;
    };
    const MeanColour fiery = Mean(Texture("1E")), frozen = Mean(Texture("2E"));
    EXPECT_TRUE(fiery.r > fiery.g && fiery.g > fiery.b) << cast("1E");
    EXPECT_TRUE(frozen.b > frozen.g && frozen.g > frozen.r) << cast("2E");
    const MeanColour ice = Mean(Texture("2S")), murk = Mean(Texture("3S")), fire = Mean(Texture("4S"));
    EXPECT_TRUE(ice.b > ice.g && ice.g > ice.r) << cast("2S");
    EXPECT_TRUE(murk.g > murk.r && murk.g > murk.b) << cast("3S");
    EXPECT_TRUE(fire.r > fire.g && fire.g > fire.b) << cast("4S");
    const MeanColour gold = Mean(Texture("1B")), energy = Mean(Texture("1L"));
    EXPECT_TRUE(gold.r >= gold.g && gold.g > gold.b) << cast("1B");
    EXPECT_TRUE(energy.g > energy.r && energy.b > energy.r) << cast("1L");
    const MeanColour bolt = Mean(Texture("1R")), space = Mean(Texture("1S"));
    EXPECT_TRUE(bolt.b >= bolt.g && bolt.g >= bolt.r) << cast("1R");
    EXPECT_TRUE(space.b > space.g && space.b < 40.0) << cast("1S");
    // Deep purple panel: red and blue over green, and dark enough for the texts in front.
    const MeanColour panel = Mean(Texture("1P"));
    EXPECT_TRUE(panel.r > panel.g && panel.b > panel.g && panel.b < 128.0) << cast("1P");
    // Dark grey stone.
    const MeanColour stone = Mean(Texture("1D"));
    EXPECT_TRUE(stone.r > 40.0 && stone.r < 140.0 && std::abs(stone.r - stone.b) < 30.0) << cast("1D");

    // The eye: the pupil in the middle of both enemy skins, dark against the skin round it.
    for (const char* name : {"1E", "2E"}) {
        const Bitmap b = Texture(name);
        ASSERT_FALSE(b.pixels.empty()) << name;
        const MeanColour all = Mean(b);
        EXPECT_LT(b.At(b.width / 2, b.height / 2).Max(), std::max(all.r, std::max(all.g, all.b)) / 2)
            << name;
    }
    // Stars: some pixels of the sky are bright.
    const Bitmap sky = Texture("1S");
    int stars = 0;
    for (const Pixel& p : sky.pixels)
        stars += p.Max() > 180 ? 1 : 0;
    EXPECT_GT(stars, 50);
}

TEST_F(AssetGenerator, IconsAreRoundRgbaPicturesOfTheirSizes)
{
    const std::string signature = "\x89PNG\r\n\x1a\n";
    // The PNGs: RGBA at 8 bits, as wide as their names say.
    for (int size : {48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const std::vector<unsigned char> d = ReadFile(fs::path("Icons") / ("trimvald-" + std::to_string(size) + ".png"));
        ASSERT_GE(d.size(), 33u);
        EXPECT_EQ(std::string(d.begin(), d.begin() + 8), signature);
        EXPECT_EQ(std::string(d.begin() + 12, d.begin() + 16), "IHDR");
        EXPECT_EQ(U32BigEndian(d, 16), static_cast<uint32_t>(size));
        EXPECT_EQ(U32BigEndian(d, 20), static_cast<uint32_t>(size));
        EXPECT_EQ(d[24], 8);  // bits per channel
        EXPECT_EQ(d[25], 6);  // RGBA
    }

    // The Windows icon: a directory of 16, 32, 48 and 256, each entry inside the file and
    // right after the one before; the 256 one is the same PNG as trimvald-256.png, the small
    // ones 32-bit DIBs of twice their height (the colours, then the AND mask).
    const std::vector<unsigned char> ico = ReadFile(fs::path("Icons") / "trimvald.ico");
    ASSERT_GE(ico.size(), 6u + 4 * 16);
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u);
    ASSERT_EQ(U16(ico, 4), 4u);
    uint32_t expectedOffset = 6 + 4 * 16;
    const int sizes[] = {16, 32, 48, 256};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(sizes[i]);
        const size_t entry = 6 + 16 * static_cast<size_t>(i);
        EXPECT_EQ(ico[entry] == 0 ? 256 : ico[entry], sizes[i]);
        EXPECT_EQ(ico[entry + 1] == 0 ? 256 : ico[entry + 1], sizes[i]);
        EXPECT_EQ(U16(ico, entry + 6), 32u);
        const uint32_t length = U32(ico, entry + 8);
        const uint32_t offset = U32(ico, entry + 12);
        EXPECT_EQ(offset, expectedOffset);
        ASSERT_LE(static_cast<size_t>(offset) + length, ico.size());
        expectedOffset = offset + length;
        const std::vector<unsigned char> image(ico.begin() + offset, ico.begin() + offset + length);
        if (sizes[i] == 256) {
            EXPECT_TRUE(image == ReadFile(fs::path("Icons") / "trimvald-256.png"));
            continue;
        }
        const uint32_t n = static_cast<uint32_t>(sizes[i]);
        const uint32_t maskStride = (n + 31) / 32 * 4;
        ASSERT_EQ(length, 40 + n * n * 4 + maskStride * n);
        EXPECT_EQ(U32(image, 0), 40u);
        EXPECT_EQ(U32(image, 4), n);
        EXPECT_EQ(U32(image, 8), 2 * n);
        EXPECT_EQ(U16(image, 14), 32u);
        // Round: the corners are transparent (and masked out), the middle is opaque.
        auto alpha = [&](uint32_t x, uint32_t row) { return image[40 + (row * n + x) * 4 + 3]; };
        auto masked = [&](uint32_t x, uint32_t row) {
            return (image[40 + n * n * 4 + row * maskStride + x / 8] >> (7 - x % 8)) & 1;
        };
        for (uint32_t corner : {0u, n - 1}) {
            EXPECT_EQ(alpha(corner, corner), 0);
            EXPECT_EQ(alpha(corner, n - 1 - corner), 0);
            EXPECT_EQ(masked(corner, corner), 1);
        }
        EXPECT_EQ(alpha(n / 2, n / 2), 255);
        EXPECT_EQ(alpha(n / 2, 1), 255) << "the disc fills the icon";
        EXPECT_EQ(masked(n / 2, n / 2), 0);
    }
    EXPECT_EQ(expectedOffset, ico.size());
}

TEST_F(AssetGenerator, SoundsMoveTheWayTheirCuesSay)
{
    // The click is over almost at once.
    const std::vector<int16_t> click = Sound("1M");
    double early = 0.0, total = 0.0;
    for (size_t i = 0; i < click.size(); ++i) {
        const double e = static_cast<double>(click[i]) * click[i];
        total += e;
        early += i < 22050 / 20 ? e : 0.0;
    }
    EXPECT_GT(early, 0.9 * total);
    // The boom falls, the chime rises.
    const std::vector<int16_t> boom = Sound("1V");
    EXPECT_GT(CrossingRate(boom, 0.0, 0.15), 2.0 * CrossingRate(boom, 0.6, 0.9));
    const std::vector<int16_t> chime = Sound("1U");
    EXPECT_GT(CrossingRate(chime, 0.5, 0.8), 1.2 * CrossingRate(chime, 0.0, 0.1));
    // The thud is low, the ding bright, the whoosh swells in the middle.
    EXPECT_LT(CrossingRate(Sound("2D"), 0.0, 0.3), 200.0);
    EXPECT_GT(CrossingRate(Sound("1A"), 0.0, 0.5), 1000.0);
    const std::vector<int16_t> whoosh = Sound("1F");
    const double length = whoosh.size() / 22050.0;
    EXPECT_GT(CrossingRate(whoosh, length * 0.4, length * 0.6), 1.5 * CrossingRate(whoosh, 0.0, length * 0.1));
}

TEST_F(AssetGenerator, SoundsAreShortClean16BitMonoWaves)
{
    std::vector<std::vector<int16_t>> all;
    for (const char* name : kSoundNames) {
        SCOPED_TRACE(name);
        const Wave w = ParseWave(ReadFile(SoundPath(name)));
        ASSERT_TRUE(w.riff);
        EXPECT_EQ(w.file.riffSize + 8, w.fileSize);
        EXPECT_EQ(w.file.encoding, 1u);  // PCM
        EXPECT_EQ(w.file.format.channels, 1u);
        EXPECT_EQ(w.file.format.rate, 22050u);
        EXPECT_EQ(w.file.format.bits, 16u);
        EXPECT_EQ(w.file.blockAlign, 2u);
        EXPECT_EQ(w.file.byteRate, 44100u);
        const double seconds = w.samples.size() / 22050.0;
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds, 1.0);
        ASSERT_FALSE(w.samples.empty());

        // Loud enough to hear, never at full scale.
        int peak = 0;
        for (int16_t s : w.samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 8000);
        EXPECT_LT(peak, 32000);
        // Starts and ends at rest: no click when it starts or is cut off at its end.
        EXPECT_LT(std::abs(w.samples.front()), 200);
        EXPECT_LT(std::abs(w.samples.back()), 200);
        all.push_back(w.samples);
    }
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE(all[i], all[j]) << kSoundNames[i] << " and " << kSoundNames[j];
}

}  // namespace
