// The glyph file the page builds its outline font from: what the reader refuses, and the
// generator that writes it at build time. That the glyphs read back draw what the Linux build
// draws is checked with the outline font's pictures (outline_font_test.cpp).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/layer/glyph_file.h"
#include "render/outline_font.h"
#include "tools/glyphgen/glyph_writer.h"

namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
}

void Patch32(std::vector<unsigned char>& bytes, std::size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = (unsigned char)(value >> (8 * i));
}

// Two glyphs: the first a triangle's front, its back, one wall and a normal without vertices;
// the second only an advance.
GlyphSet SmallSet()
{
    GlyphSet set;
    set.request = GlyphRequest{"Face", -12, 900, false, 204, 0.0f, 0.09f, WGL_FONT_POLYGONS, 65};
    GlyphShape a;
    a.metrics.gmfCellIncX = 0.5f;
    a.metrics.gmfptGlyphOrigin.y = 0.75f;
    GlyphPrimitive triangles;
    triangles.mode = 4;  // GL_TRIANGLES
    GlyphRun front, back, wall;
    front.normal[2] = 1.0f;
    front.vertices = {0.0f, 0.0f, 0.0f, 0.25f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f};
    back.normal[2] = -1.0f;
    back.vertices = {0.0f, 0.5f, -0.09f, 0.25f, 0.0f, -0.09f, 0.0f, 0.0f, -0.09f};
    wall.normal[1] = -1.0f;
    wall.vertices = {0.0f,  0.0f, 0.0f, 0.25f, 0.0f, 0.0f,  0.25f, 0.0f, -0.09f,
                     0.0f,  0.0f, 0.0f, 0.25f, 0.0f, -0.09f, 0.0f,  0.0f, -0.09f};
    triangles.runs = {front, back, wall, GlyphRun()};
    a.primitives.push_back(triangles);
    GlyphShape b;
    b.metrics.gmfCellIncX = 0.125f;
    set.glyphs = {a, b};
    return set;
}

// Where the small set's fields lie: the request's glyph count, then the first glyph's primitive
// count, mode, run count and its first run's kind and vertex count.
const std::size_t countAt = 8 + 4 + 4 + 32, glyphAt = countAt + 4;
const std::size_t primitivesAt = glyphAt + 24, modeAt = primitivesAt + 4, runsAt = modeAt + 4,
                  kindAt = runsAt + 4, verticesAt = kindAt + 4 + 12;

std::string Refusal(const std::vector<unsigned char>& bytes)
{
    GlyphSet set;
    std::string error;
    if (ReadGlyphFile(bytes.data(), bytes.size(), set, error))
        return "";
    return error.empty() ? "refused without a message" : error;
}

}  // namespace

TEST(GlyphFile, ReadsWhatIsWrittenAndRefusesDamagedFiles)
{
    const std::vector<unsigned char> bytes = GlyphFileBytes(SmallSet());
    EXPECT_EQ(bytes.size(), 252u) << "the back written as the front's mirror, the wall by its edge";
    GlyphSet read;
    std::string error;
    ASSERT_TRUE(ReadGlyphFile(bytes.data(), bytes.size(), read, error)) << error;
    EXPECT_EQ(read.request.face, "Face");
    EXPECT_EQ(read.request.first, 65u);
    EXPECT_EQ(read.request.extrusion, 0.09f);
    ASSERT_EQ(read.glyphs.size(), 2u);
    ASSERT_EQ(read.glyphs[0].primitives.size(), 1u);
    ASSERT_EQ(read.glyphs[0].primitives[0].runs.size(), 4u);
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(read.glyphs[0].primitives[0].runs[r].vertices,
                  SmallSet().glyphs[0].primitives[0].runs[r].vertices) << "run " << r;
    EXPECT_EQ(read.glyphs[0].primitives[0].runs[2].normal[1], -1.0f);
    EXPECT_EQ(read.glyphs[1].metrics.gmfCellIncX, 0.125f);
    EXPECT_TRUE(GlyphFileBytes(read) == bytes) << "nothing lost on the way";

    for (std::size_t size = 0; size < bytes.size(); ++size)
        EXPECT_NE(Refusal(std::vector<unsigned char>(bytes.begin(), bytes.begin() + size)), "")
            << "cut to " << size << " bytes";
    std::vector<unsigned char> longer = bytes;
    longer.push_back(0);
    EXPECT_NE(Refusal(longer).find("1 bytes after the last glyph"), std::string::npos);

    struct Damage {
        std::size_t at;
        uint32_t value;
        const char* said;
    };
    for (const Damage& damage : {Damage{0, 0x594C4755, "magic"}, Damage{4, 2, "version 2"},
                                 Damage{8, 1000, "face name 1000"}, Damage{countAt, 300, "past character 255"},
                                 Damage{countAt - 4, 255, "past character 255"},
                                 Damage{countAt - 24, 2, "italic"},
                                 Damage{primitivesAt, 0xFFFFFFFF, "primitive count 4294967295"},
                                 Damage{modeAt, 10, "mode 10"}, Damage{runsAt, 1u << 30, "run count"},
                                 Damage{kindAt, 7, "run kind 7"}, Damage{kindAt, 2, "no vertices before"},
                                 Damage{verticesAt, 0x55555556, "vertex count"}}) {
        std::vector<unsigned char> damaged = bytes;
        Patch32(damaged, damage.at, damage.value);
        EXPECT_NE(Refusal(damaged).find(damage.said), std::string::npos)
            << "at " << damage.at << ": " << Refusal(damaged);
    }
}

// The generator makes the same bytes on every run, the build holds them, and they answer the
// game's request for all its characters.
TEST(GlyphFile, TheGeneratorWritesTheGamesGlyphsTheSameEveryRun)
{
    const fs::path dir = fs::temp_directory_path() / ("trimvald-glyphs-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const char* name : {"a.bin", "b.bin"}) {
        const std::string command = std::string("'") + GLYPHGEN_EXE + "' '" + (dir / name).string() + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    }
    const std::vector<unsigned char> bytes = ReadFile(dir / "a.bin");
    EXPECT_TRUE(bytes == ReadFile(dir / "b.bin")) << "not the same bytes on every run";
    EXPECT_TRUE(bytes == ReadFile(fs::path("Web") / "glyphs.bin")) << "the build's glyph file is stale";
    const std::string usage = std::string("'") + GLYPHGEN_EXE + "' 2>/dev/null";
    EXPECT_NE(std::system(usage.c_str()), 0) << "no output named";
    std::error_code ignored;
    fs::remove_all(dir, ignored);

    GlyphSet read;
    std::string error;
    ASSERT_TRUE(ReadGlyphFile(bytes.data(), bytes.size(), read, error)) << error;
    EXPECT_EQ(read.request.face, outlineFont.face);
    EXPECT_EQ(read.request.height, outlineFont.height);
    EXPECT_EQ(read.request.weight, outlineFont.weight);
    EXPECT_EQ(read.request.charSet, outlineFont.charSet);
    EXPECT_EQ(read.request.extrusion, outlineFont.extrusion);
    EXPECT_EQ(read.request.first, outlineFont.first);
    EXPECT_EQ(read.glyphs.size(), outlineFont.count);
}
