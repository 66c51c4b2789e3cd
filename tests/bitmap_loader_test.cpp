// Bitmap files to RGB images: the file and info/core header layouts, colour tables, row order
// and padding, every depth and compression the loader takes, and the damaged or hostile files
// it refuses with its own messages.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "platform/scripted/scripted_host.h"
#include "render/bitmap_loader.h"
#include "tests/bitmap_files.h"

namespace {

struct Shown {
    std::string text;
    std::string caption;
    UINT style;
};
std::vector<Shown> shown;

int CaptureMessage(const std::string& text, const std::string& caption, UINT style)
{
    shown.push_back({text, caption, style});
    return IDOK;
}

const uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;

// A distinct colour for every table index, none of them black.
uint32_t TableColor(unsigned index)
{
    return ((index * 37 + 11) & 0xFF) << 16 | ((index * 91 + 3) & 0xFF) << 8 | 0x40;
}

// Colours as a bitmap stores them (blue, green, red) and as the loader gives them.
Bytes Bgr(const std::vector<uint32_t>& colors)
{
    Bytes out;
    for (uint32_t c : colors)
        out.insert(out.end(), {(unsigned char)c, (unsigned char)(c >> 8), (unsigned char)(c >> 16)});
    return out;
}

Bytes Rgb(const std::vector<uint32_t>& colors)
{
    Bytes out;
    for (uint32_t c : colors)
        out.insert(out.end(), {(unsigned char)(c >> 16), (unsigned char)(c >> 8), (unsigned char)c});
    return out;
}

class BitmapLoading : public ::testing::Test {
protected:
    void SetUp() override
    {
        shown.clear();
        ScriptedHostSetup hooks;
        hooks.messageBox = CaptureMessage;
        InstallScriptedHost(hooks);
    }
    void TearDown() override
    {
        LayerInstallHost(nullptr);
        Free();
    }
    void Free()
    {
        if (image) {
            std::free(image->pixels);
            std::free(image);
            image = nullptr;
        }
    }
    ImageRGB* Load(const Bytes& bytes)
    {
        Free();
        TempFile file("picture.bmp", bytes);
        image = LoadBitmapFile(file.path());
        return image;
    }
    // The loaded picture is width x height with these RGB bytes, and nothing was said.
    void ExpectImage(int32_t width, int32_t height, const Bytes& rgb)
    {
        ASSERT_NE(image, nullptr) << (shown.empty() ? "" : shown[0].text);
        EXPECT_EQ(image->width, width);
        EXPECT_EQ(image->height, height);
        ASSERT_EQ(rgb.size(), (size_t)width * height * 3);
        EXPECT_EQ(Bytes(image->pixels, image->pixels + rgb.size()), rgb);
        EXPECT_TRUE(shown.empty());
    }
    // Exactly one message was shown, captioned "Error" with an OK button, and it is this one.
    void ExpectOnlyMessage(const std::string& text)
    {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, text);
        EXPECT_EQ(shown[0].caption, "Error");
        EXPECT_EQ(shown[0].style, MB_OK);
    }
    ImageRGB* image = nullptr;
};

TEST_F(BitmapLoading, FilesThatCannotBeOpenedOrMapped)
{
    EXPECT_EQ(LoadBitmapFile(nullptr), nullptr);
    EXPECT_EQ(LoadBitmapFile("/nonexistent/Data/Textures/1D.bmp"), nullptr);
    EXPECT_TRUE(shown.empty()) << "a missing file is refused quietly";

    // The DIB loader on its own reports the same file.
    EXPECT_EQ(LoadDibImage("/nonexistent/1D.bmp"), nullptr);
    ExpectOnlyMessage("Failed to open DIB file /nonexistent/1D.bmp.\n");

    shown.clear();
    TempFile empty("empty.bmp", {});
    EXPECT_EQ(LoadBitmapFile(empty.path()), nullptr);
    ExpectOnlyMessage(std::string("Failed to open DIB file ") + empty.path() + ".\n");
}

TEST_F(BitmapLoading, TwentyFourBitRowsComeOutBottomFirstInRgb)
{
    BitmapFile file;
    file.width = 3;
    file.height = 2;
    file.pixels = PaddedRows({Bgr({blue, blue, blue}), Bgr({red, red, red})});
    Load(BuildBitmap(file));
    ExpectImage(3, 2, {0, 0, 255, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 0, 0});

    // The same picture stored top row first.
    file.height = -2;
    file.pixels = PaddedRows({Bgr({red, red, red}), Bgr({blue, blue, blue})});
    Load(BuildBitmap(file));
    ExpectImage(3, 2, Rgb({blue, blue, blue, red, red, red}));
}

TEST_F(BitmapLoading, SixteenAndThirtyTwoBitPixels)
{
    // 5-5-5: each 5-bit channel widened with its top bits repeated (16 -> 132, 31 -> 255).
    BitmapFile file;
    file.width = 4;
    file.bitCount = 16;
    file.pixels = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42};
    Load(BuildBitmap(file));
    ExpectImage(4, 1, Rgb({red, green, blue, 0x848484}));

    file.width = 2;
    file.height = 2;
    file.bitCount = 32;
    file.pixels = {0x10, 0x20, 0x30, 0x77, 0x01, 0x02, 0x03, 0x77,
                   0xFF, 0x00, 0x00, 0x77, 0x00, 0x00, 0xFF, 0x77};
    Load(BuildBitmap(file));
    ExpectImage(2, 2, Rgb({0x302010, 0x030201, blue, red}));
}

TEST_F(BitmapLoading, LargestSidesAreTaken)
{
    BitmapFile file;
    file.width = 8192;
    file.pixels = PaddedRows({Bytes(8192 * 3, 0x55)});
    ASSERT_NE(Load(BuildBitmap(file)), nullptr);
    EXPECT_EQ(image->width, 8192);

    file.width = 1;
    file.height = -8192;
    file.pixels = Bytes(8192 * 4, 0x55);
    ASSERT_NE(Load(BuildBitmap(file)), nullptr);
    EXPECT_EQ(image->height, 8192);
}

// Widths 1 to 4: rows of 3, 6, 9 and 12 bytes are stored with 1, 2, 3 and 0 fill bytes.
class RowPadding : public BitmapLoading, public ::testing::WithParamInterface<int> {};

TEST_P(RowPadding, FillBytesAreDropped)
{
    int width = GetParam();
    std::vector<uint32_t> bottom, top;
    for (int x = 0; x < width; x++) {
        bottom.push_back(TableColor(x));
        top.push_back(TableColor(x + 10));
    }
    BitmapFile file;
    file.width = width;
    file.height = 2;
    file.pixels = PaddedRows({Bgr(bottom), Bgr(top)});
    Load(BuildBitmap(file));
    bottom.insert(bottom.end(), top.begin(), top.end());
    ExpectImage(width, 2, Rgb(bottom));
}

INSTANTIATE_TEST_SUITE_P(Widths, RowPadding, ::testing::Values(1, 2, 3, 4));

// Colour tables, with no file header so that the pixel data is found right after the table:
// its size follows from the colour count (an 8-bit table of 256 entries puts the pixels at
// 40 + 1024, a 1-bit core table of two 3-byte entries at 12 + 6).
struct PaletteCase {
    int bitCount;
    uint32_t colorsUsed;
    bool core;
};

void PrintTo(const PaletteCase& c, std::ostream* out)
{
    *out << c.bitCount << " bits, colours used " << c.colorsUsed << (c.core ? ", core" : "");
}

class PaletteBitmaps : public BitmapLoading, public ::testing::WithParamInterface<PaletteCase> {};

TEST_P(PaletteBitmaps, PixelsTakeTheirTableColours)
{
    PaletteCase c = GetParam();
    unsigned entries = c.colorsUsed ? c.colorsUsed : 1u << c.bitCount;
    unsigned indexable = std::min(entries, 1u << c.bitCount);
    BitmapFile file;
    file.fileHeader = false;
    file.headerSize = c.core ? 12 : 40;
    file.width = 7;
    file.height = 3;
    file.bitCount = (uint16_t)c.bitCount;
    file.colorsUsed = c.colorsUsed;
    for (unsigned i = 0; i < entries; i++)
        file.colors.push_back(TableColor(i));
    std::vector<Bytes> rows;
    std::vector<uint32_t> expected;
    for (unsigned y = 0; y < 3; y++) {
        std::vector<unsigned> indices;
        for (unsigned x = 0; x < 7; x++) {
            indices.push_back((x * 5 + y * 3 + 1) % indexable);
            expected.push_back(TableColor(indices.back()));
        }
        rows.push_back(PackIndices(indices, c.bitCount));
    }
    file.pixels = PaddedRows(rows);
    Load(BuildBitmap(file));
    ExpectImage(7, 3, Rgb(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Tables, PaletteBitmaps,
    ::testing::Values(PaletteCase{1, 0, false}, PaletteCase{1, 5, false}, PaletteCase{4, 0, false},
                      PaletteCase{4, 5, false}, PaletteCase{8, 0, false}, PaletteCase{8, 5, false},
                      PaletteCase{1, 0, true}, PaletteCase{4, 0, true}, PaletteCase{8, 0, true}),
    [](const ::testing::TestParamInfo<PaletteCase>& info) {
        return std::string(info.param.core ? "Core" : "Info") + std::to_string(info.param.bitCount) +
               "BitsColorsUsed" + std::to_string(info.param.colorsUsed);
    });

// Run-length encoded pictures: the expected table indices bottom row first, -1 where no
// command reached (left black).
struct RleCase {
    const char* name;
    uint32_t compression;
    int32_t width;
    int32_t height;
    Bytes data;
    uint32_t imageSize;
    std::vector<int> expected;
};

void PrintTo(const RleCase& c, std::ostream* out)
{
    *out << c.name;
}

class RleBitmaps : public BitmapLoading, public ::testing::WithParamInterface<RleCase> {};

TEST_P(RleBitmaps, DecodeWithinThePictureAndTheData)
{
    const RleCase& c = GetParam();
    BitmapFile file;
    file.width = c.width;
    file.height = c.height;
    file.bitCount = c.compression == BI_RLE8 ? 8 : 4;
    file.compression = c.compression;
    file.imageSize = c.imageSize;
    for (unsigned i = 0; i < (c.compression == BI_RLE8 ? 256u : 16u); i++)
        file.colors.push_back(TableColor(i));
    file.pixels = c.data;
    Load(BuildBitmap(file));
    std::vector<uint32_t> expected;
    for (int index : c.expected)
        expected.push_back(index < 0 ? 0 : TableColor(index));
    ExpectImage(c.width, c.height, Rgb(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RleBitmaps,
    ::testing::Values(
        // run, absolute run with its fill byte, end of line, run, move (1, 1), run, end
        RleCase{"Rle8Commands", BI_RLE8, 6, 3,
                {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 2, 2, 0, 2, 1, 1, 2, 3, 0, 1}, 0,
                {1, 1, 1, 2, 3, 4, 2, 2, -1, -1, -1, -1, -1, -1, -1, 3, 3, -1}},
        RleCase{"Rle4Commands", BI_RLE4, 5, 2, {5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 1},
                0, {1, 2, 1, 2, 1, 3, 4, 5, 6, 7}},
        RleCase{"RunsStopAtTheLineEnd", BI_RLE8, 2, 2, {5, 1, 1, 2, 0, 0, 1, 3, 0, 1}, 0,
                {1, 1, 3, -1}},
        RleCase{"MoveBeyondThePicture", BI_RLE8, 2, 2, {1, 1, 0, 2, 5, 5, 1, 2}, 0,
                {1, -1, -1, -1}},
        RleCase{"DataEndsInACommand", BI_RLE8, 3, 1, {2, 1, 0}, 0, {1, 1, -1}},
        RleCase{"AbsoluteRunBeyondTheData", BI_RLE8, 4, 1, {0, 4, 1, 2}, 0, {1, 2, -1, -1}},
        RleCase{"Rle4AbsoluteRunBeyondTheData", BI_RLE4, 4, 1, {0, 4, 0x12}, 0, {1, 2, -1, -1}},
        RleCase{"ImageSizeEndsTheData", BI_RLE8, 2, 2, {1, 1, 0, 0, 1, 2, 0, 1}, 4,
                {1, -1, -1, -1}}),
    [](const ::testing::TestParamInfo<RleCase>& info) { return std::string(info.param.name); });

// Files the loader refuses, each with its message, without reading outside the file.
const char* const unknownFormat = "Unknown DIB file format.";
const char* const conversionError = "Image file conversion error.";

// A well-formed 3x2 24-bit file after a change, cut to `size` bytes when that is not 0.
Bytes Changed(void (*change)(BitmapFile&), size_t size = 0)
{
    BitmapFile file;
    file.width = 3;
    file.height = 2;
    file.pixels = PaddedRows({Bgr({red, red, red}), Bgr({blue, blue, blue})});
    change(file);
    Bytes bytes = BuildBitmap(file);
    if (size)
        bytes.resize(size);
    return bytes;
}

TEST_F(BitmapLoading, OtherHeadersAndFileKindsAreUnknown)
{
    const std::vector<Bytes> files = {
        Changed([](BitmapFile& f) { f.headerSize = 108; }),
        Changed([](BitmapFile& f) { f.headerSize = 124; }),
        Changed([](BitmapFile&) {}, 14),  // the file header alone
        {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0},
        {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 0x89, 'P', 'N', 'G'},
        {'a', 'b', 'c'},
    };
    for (const Bytes& file : files) {
        shown.clear();
        EXPECT_EQ(Load(file), nullptr);
        ExpectOnlyMessage(unknownFormat);
    }
}

// An 8-bit file whose table holds 256 entries, and the same run-length encoded.
void EightBit(BitmapFile& file)
{
    file.bitCount = 8;
    file.colors.assign(256, green);
    file.pixels.assign(8, 1);
}

void Rle8(BitmapFile& file)
{
    EightBit(file);
    file.compression = BI_RLE8;
    file.pixels = {3, 1, 0, 0, 3, 2, 0, 1};
}

struct RefusedCase {
    const char* name;
    void (*change)(BitmapFile&);
    size_t size = 0;  // the file cut to this size, when not 0
};

void PrintTo(const RefusedCase& c, std::ostream* out)
{
    *out << c.name;
}

class RefusedBitmaps : public BitmapLoading, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedBitmaps, CannotBeConverted)
{
    EXPECT_EQ(Load(Changed(GetParam().change, GetParam().size)), nullptr);
    ExpectOnlyMessage(conversionError);
}

using F = BitmapFile&;
INSTANTIATE_TEST_SUITE_P(
    Files, RefusedBitmaps,
    ::testing::Values(
        RefusedCase{"InfoHeaderCutShort", [](F) {}, 14 + 30},
        RefusedCase{"CoreHeaderCutShort", [](F f) { f.headerSize = 12, f.fileHeader = false; }, 8},
        RefusedCase{"ColourTableCutShort", [](F f) { EightBit(f), f.fileHeader = false; }, 40 + 400},
        RefusedCase{"PixelDataCutShort", [](F) {}, 14 + 40 + 23},
        RefusedCase{"PixelOffsetBeyondTheFile", [](F f) { f.pixels.clear(), f.pixelOffset = 999; }},
        RefusedCase{"PixelOffsetAtTheEnd", [](F f) { f.pixels.clear(), f.pixelOffset = 54; }},
        RefusedCase{"PixelOffsetInTheHeaders", [](F f) { f.pixelOffset = 20; }},
        RefusedCase{"PixelOffsetInTheTable", [](F f) { EightBit(f), f.pixelOffset = 58; }},
        // 300 colours: 1200 bytes, in the file but running into the pixels
        RefusedCase{"ColoursUsedBeyondTheTable",
                    [](F f) { EightBit(f), f.colorsUsed = 300, f.pixelOffset = 1078, f.pixels.resize(400); }},
        RefusedCase{"ColoursUsedBeyond16Bits",
                    [](F f) { EightBit(f), f.colorsUsed = 0x10005, f.colors.resize(5); }},
        RefusedCase{"WidthZero", [](F f) { f.width = 0; }},
        RefusedCase{"HeightZero", [](F f) { f.height = 0; }},
        RefusedCase{"NegativeWidth", [](F f) { f.width = -3; }},
        RefusedCase{"Width8193", [](F f) { f.width = 8193; }},
        RefusedCase{"Height8193", [](F f) { f.height = 8193; }},
        RefusedCase{"TopDownHeight8193", [](F f) { f.height = -8193; }},
        RefusedCase{"MostNegativeHeight", [](F f) { f.height = INT32_MIN; }},
        RefusedCase{"CoreWidth65535", [](F f) { f.headerSize = 12, f.width = 65535; }},
        RefusedCase{"LargestPictureInASmallFile", [](F f) { f.width = 8192, f.height = 8192; }},
        RefusedCase{"BitFields", [](F f) { f.bitCount = 16, f.compression = BI_BITFIELDS; }},
        RefusedCase{"JpegCompression", [](F f) { f.compression = 4; }},
        RefusedCase{"UnknownCompression", [](F f) { f.compression = 99; }},
        RefusedCase{"Rle8WithFourBits", [](F f) { Rle8(f), f.bitCount = 4; }},
        RefusedCase{"Rle4WithEightBits", [](F f) { Rle8(f), f.compression = BI_RLE4; }},
        RefusedCase{"TwoBitsPerPixel", [](F f) { f.bitCount = 2; }},
        RefusedCase{"NoBitsPerPixel", [](F f) { f.bitCount = 0; }},
        RefusedCase{"TopDownRle", [](F f) { Rle8(f), f.height = -2; }},
        RefusedCase{"RleImageSizeBeyondTheFile", [](F f) { Rle8(f), f.imageSize = 9; }}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

}  // namespace
