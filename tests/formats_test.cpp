// The file formats the tools write: the wave header byte for byte, the reader that walks a
// wave's chunks, and PNG pictures that decode to the pixels they were given.
#include <gtest/gtest.h>
#include <png.h>

#include <vector>

#include "tools/formats/png_writer.h"
#include "tools/formats/wave.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(FileFormats, WaveHeaderBytesAndTheReaderSkippingOtherChunks)
{
    // Stereo 16-bit at 44.1 kHz (the cue benchmark's huge wave), 4 bytes of samples.
    const Bytes stereo = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                          16, 0, 0, 0, 1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 0x02, 0, 4, 0,
                          16, 0, 'd', 'a', 't', 'a', 4, 0, 0, 0};
    EXPECT_EQ(WaveHeader({2, 44100, 16}, 4), stereo);

    // A chunk of odd length, padded, between the format and the samples.
    Bytes file(stereo.begin(), stereo.begin() + 36);
    file.insert(file.end(), {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0});
    file.insert(file.end(), stereo.begin() + 36, stereo.end());
    file.insert(file.end(), {1, 2, 3, 4});
    WaveFile wave;
    ASSERT_TRUE(ReadWave(file, wave));
    EXPECT_EQ(wave.riffSize, 40u);
    EXPECT_EQ(wave.encoding, 1u);
    EXPECT_EQ(wave.format.channels, 2u);
    EXPECT_EQ(wave.format.rate, 44100u);
    EXPECT_EQ(wave.format.bits, 16u);
    EXPECT_EQ(wave.byteRate, 176400u);
    EXPECT_EQ(wave.blockAlign, 4u);
    EXPECT_EQ(wave.dataAt, 56u);
    EXPECT_EQ(wave.dataBytes, 4u);

    // Samples cut off by the end of the file are not taken; nor is a file that is no wave.
    file.pop_back();
    ASSERT_TRUE(ReadWave(file, wave));
    EXPECT_EQ(wave.dataBytes, 0u);
    file[8] = 'X';
    EXPECT_FALSE(ReadWave(file, wave));
}

TEST(FileFormats, PngDecodesToItsPixelsInBothLayouts)
{
    // 3 by 2 pixels, so that a row is not a multiple of four bytes.
    for (int channels : {3, 4}) {
        SCOPED_TRACE(channels);
        Bytes pixels;
        for (int i = 0; i < 3 * 2 * channels; ++i)
            pixels.push_back((unsigned char)(i * 37 + 5));
        for (bool smallest : {false, true}) {
            Bytes png = EncodePng(3, 2, channels, pixels, smallest);
            png_image image = {};
            image.version = PNG_IMAGE_VERSION;
            ASSERT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size()));
            image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
            Bytes decoded(PNG_IMAGE_SIZE(image));
            ASSERT_TRUE(png_image_finish_read(&image, nullptr, decoded.data(), 0, nullptr));
            EXPECT_EQ(image.width * image.height, 6u);
            EXPECT_EQ(decoded, pixels);
        }
        pixels.pop_back();
        EXPECT_TRUE(EncodePng(3, 2, channels, pixels, false).empty()) << "too few pixels";
    }
}

}  // namespace
