#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "model/Image.h"
#include "support/ImageTestFiles.h"
#include "support/TempMediaDir.h"

namespace {
// JPEG is lossy; at the best quality without subsampling colours stay this close.
constexpr int JPEG_TOLERANCE = 6;

class ImageLoaderTest : public ::testing::Test {
protected:
    TempMediaDir media;
    int width = -1;
    int height = -1;

    ImagePtr load(const std::string& name) {
        width = -1;
        height = -1;
        return ImagePtr(loadImage(name.c_str(), width, height));
    }

    void writeJpeg(const std::string& name, int w, int h, const std::vector<std::uint8_t>& rgb) {
        ASSERT_TRUE(writeTestJpeg(media.mediaPath(name), w, h, 3, JCS_RGB, rgb));
    }

    // Checks pixel (x, y) of a packed blue-green-red image against an RGB colour.
    void expectPixel(const std::uint8_t* image, int x, int y, int r, int g, int b, int tolerance) {
        const std::uint8_t* bgr = image + 3 * (std::size_t(y) * width + x);
        EXPECT_NEAR(bgr[2], r, tolerance) << "red at " << x << "," << y;
        EXPECT_NEAR(bgr[1], g, tolerance) << "green at " << x << "," << y;
        EXPECT_NEAR(bgr[0], b, tolerance) << "blue at " << x << "," << y;
    }
};

TEST_F(ImageLoaderTest, AColourJpegIsStoredBlueGreenRed) {
    writeJpeg("red.jpg", 8, 8, solidRgb(8, 8, 255, 0, 0));
    ImagePtr image = load("red.jpg");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(width, 8);
    EXPECT_EQ(height, 8);
    EXPECT_LE(image.get()[0], JPEG_TOLERANCE);
    EXPECT_LE(image.get()[1], JPEG_TOLERANCE);
    EXPECT_GE(image.get()[2], 255 - JPEG_TOLERANCE);
}

TEST_F(ImageLoaderTest, JpegRowsArePackedTopFirstForAnyWidth) {
    // Five pixels a row: a padded layout would start row 1 at byte 16, not 15.
    std::vector<std::uint8_t> rgb = solidRgb(5, 1, 255, 0, 0);
    std::vector<std::uint8_t> green = solidRgb(5, 1, 0, 255, 0);
    std::vector<std::uint8_t> blue = solidRgb(5, 1, 0, 0, 255);
    rgb.insert(rgb.end(), green.begin(), green.end());
    rgb.insert(rgb.end(), blue.begin(), blue.end());
    writeJpeg("rows.jpg", 5, 3, rgb);
    ImagePtr image = load("rows.jpg");
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(width, 5);
    ASSERT_EQ(height, 3);
    for (int x = 0; x < 5; ++x) {
        expectPixel(image.get(), x, 0, 255, 0, 0, 40);
        expectPixel(image.get(), x, 1, 0, 255, 0, 40);
        expectPixel(image.get(), x, 2, 0, 0, 255, 40);
    }
}

TEST_F(ImageLoaderTest, GreyscaleJpegsBecomeGreyColourAndCmykIsRefused) {
    ASSERT_TRUE(writeTestJpeg(media.mediaPath("grey.jpg"), 6, 2, 1, JCS_GRAYSCALE,
                              std::vector<std::uint8_t>(12, 128)));
    ImagePtr grey = load("grey.jpg");
    ASSERT_NE(grey, nullptr);
    ASSERT_EQ(width, 6);
    for (int x = 0; x < 6; ++x) {
        expectPixel(grey.get(), x, 1, 128, 128, 128, JPEG_TOLERANCE);
    }

    ASSERT_TRUE(writeTestJpeg(media.mediaPath("cmyk.jpg"), 4, 4, 4, JCS_CMYK,
                              std::vector<std::uint8_t>(64, 100)));
    EXPECT_EQ(load("cmyk.jpg"), nullptr);
}

TEST_F(ImageLoaderTest, DamagedJpegsGiveNullAndTheProgramGoesOn) {
    std::vector<std::uint8_t> noise(64 * 64 * 3);
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<std::uint8_t>(i * 7919 % 251);
    }
    writeJpeg("whole.jpg", 64, 64, noise);
    const std::string whole = media.read("whole.jpg");
    ASSERT_NE(load("whole.jpg"), nullptr);

    media.write("cutdata.jpg", whole.substr(0, whole.size() / 2));
    media.write("cutended.jpg", whole.substr(0, whole.size() / 2) + "\xFF\xD9");  // tidy end marker
    media.write("cuthead.jpg", whole.substr(0, 40));
    media.write("notjpeg.jpg", "this is a text file, not a picture");
    media.write("empty.jpg", "");
    std::string badFrame = whole;
    const std::size_t frame = badFrame.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    badFrame[frame + 5] = badFrame[frame + 6] = '\0';  // height 0
    media.write("badframe.jpg", badFrame);
    std::string huge = whole;
    huge[frame + 7] = '\x70';  // width 28672: more than any texture, refused unread
    media.write("huge.jpg", huge);

    for (const char* name : {"cutdata.jpg", "cutended.jpg", "cuthead.jpg", "notjpeg.jpg",
                             "empty.jpg", "badframe.jpg", "huge.jpg", "missing.jpg"}) {
        EXPECT_EQ(load(name), nullptr) << name;
        EXPECT_EQ(width, -1) << name;
    }
}

TEST_F(ImageLoaderTest, EndingsAreMatchedInAnyCaseOnTheLastThreeLetters) {
    writeJpeg("a.jpg", 8, 8, solidRgb(8, 8, 0, 0, 255));
    const std::string jpeg = media.read("a.jpg");
    for (const char* name : {"b.JPG", "c.Jpg", "d.jPg"}) {
        media.write(name, jpeg);
        EXPECT_NE(load(name), nullptr) << name;
    }
    for (const char* name : {"e.jpeg", "f.png", "g.jp"}) {
        media.write(name, jpeg);
        EXPECT_EQ(load(name), nullptr) << name;
    }
}

TEST_F(ImageLoaderTest, TwentyFourBitBmpsArePackedTopRowFirst) {
    // 3 x 2 pixels: the file pads each 9-byte row to 12 and stores the bottom row first.
    const std::vector<std::uint8_t> bgr = {
        0, 0, 255, 0, 255, 0, 255, 0, 0,    // top: red, green, blue
        1, 2, 3,   4, 5, 6,   7, 8, 9,      // bottom
    };
    media.write("pic.BMP", makeTestBmp(3, 2, 24, bgr));
    ImagePtr image = load("pic.BMP");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(0, std::memcmp(image.get(), bgr.data(), bgr.size()));
}

TEST_F(ImageLoaderTest, PalettedBmpsAreConvertedToBlueGreenRed) {
    const std::vector<std::uint8_t> palette = {255, 0, 0, 0, 0, 0, 200, 0};  // blue, dark red
    const std::vector<std::uint8_t> indices = {0, 1, 1, 1, 0, 0};            // 3 x 2
    media.write("pal.bmp", makeTestBmp(3, 2, 8, indices, palette));
    ImagePtr image = load("pal.bmp");
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(width, 3);
    ASSERT_EQ(height, 2);
    const std::vector<std::uint8_t> expected = {255, 0, 0, 0, 0, 200, 0, 0, 200,
                                                0, 0, 200, 255, 0, 0, 255, 0, 0};
    EXPECT_EQ(0, std::memcmp(image.get(), expected.data(), expected.size()));

    media.write("junk.bmp", "BM but nothing more");
    EXPECT_EQ(load("junk.bmp"), nullptr);
    EXPECT_EQ(load("absent.bmp"), nullptr);
}
}  // namespace
