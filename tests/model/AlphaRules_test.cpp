#include <gtest/gtest.h>

#include "platform/OpenGl.h"

#include <vector>

#include "model/AlphaRules.h"

namespace {
void expectTexel(const Rgba& texel, int r, int g, int b, int a) {
    EXPECT_EQ(texel.r, r);
    EXPECT_EQ(texel.g, g);
    EXPECT_EQ(texel.b, b);
    EXPECT_EQ(texel.a, a);
}

TEST(AlphaRules, LuminanceModesFollowTheAverageBrightness) {
    expectTexel(applyAlphaRule(AlphaMode::LUMINANCE, 30, 60, 90), 30, 60, 90, 60);
    expectTexel(applyAlphaRule(AlphaMode::LUMINANCE, 255, 255, 254), 255, 255, 254, 254);
    // Nearly clear pixels are also made black.
    expectTexel(applyAlphaRule(AlphaMode::ILLUMINANCE, 10, 20, 25), 0, 0, 0, 18);
    expectTexel(applyAlphaRule(AlphaMode::ILLUMINANCE, 20, 20, 20), 20, 20, 20, 20);
    expectTexel(applyAlphaRule(AlphaMode::ILLUMINANCE, 19, 19, 21), 0, 0, 0, 19);
}

TEST(AlphaRules, MasksCutOutBlackAndStrongRed) {
    expectTexel(applyAlphaRule(AlphaMode::BLACK_MASK, 0, 0, 0), 0, 0, 0, 0);
    expectTexel(applyAlphaRule(AlphaMode::BLACK_MASK, 0, 0, 1), 0, 0, 1, 255);
    expectTexel(applyAlphaRule(AlphaMode::RED_MASK, 200, 20, 20), 200, 20, 20, 0);
    expectTexel(applyAlphaRule(AlphaMode::RED_MASK, 128, 0, 0), 128, 0, 0, 255);
    expectTexel(applyAlphaRule(AlphaMode::RED_MASK, 129, 0, 0), 129, 0, 0, 0);
    expectTexel(applyAlphaRule(AlphaMode::RED_MASK, 150, 40, 10), 150, 40, 10, 255);
}

TEST(AlphaRules, ChannelModesCopyOneColourAndTheRestAreOpaque) {
    expectTexel(applyAlphaRule(AlphaMode::RED, 11, 22, 33), 11, 22, 33, 11);
    expectTexel(applyAlphaRule(AlphaMode::GREEN, 11, 22, 33), 11, 22, 33, 22);
    expectTexel(applyAlphaRule(AlphaMode::BLUE, 11, 22, 33), 11, 22, 33, 33);
    for (AlphaMode mode : {AlphaMode::NONE, AlphaMode::GREEN_MASK, AlphaMode::BLUE_MASK, AlphaMode::VALUE}) {
        expectTexel(applyAlphaRule(mode, 0, 0, 0), 0, 0, 0, 255);
        expectTexel(applyAlphaRule(mode, 0, 200, 0), 0, 200, 0, 255);
    }
}

TEST(AlphaRules, ConversionWidensEveryPixelInPlace) {
    // Three packed blue-green-red pixels in a buffer with room for three texels.
    std::vector<std::uint8_t> pixels = {3, 2, 1, 0, 0, 0, 90, 60, 30, 0, 0, 0};
    convertToRgba(pixels.data(), 3, 1, AlphaMode::LUMINANCE);
    const std::vector<std::uint8_t> expected = {1, 2, 3, 2, 0, 0, 0, 0, 30, 60, 90, 60};
    EXPECT_EQ(pixels, expected);

    std::vector<std::uint8_t> square(2 * 2 * 4, 0);
    for (int p = 0; p < 4; ++p) {
        square[3 * p] = static_cast<std::uint8_t>(10 * p);       // blue
        square[3 * p + 2] = static_cast<std::uint8_t>(10 * p + 5);  // red
    }
    convertToRgba(square.data(), 2, 2, AlphaMode::NONE);
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(square[4 * p], 10 * p + 5);
        EXPECT_EQ(square[4 * p + 1], 0);
        EXPECT_EQ(square[4 * p + 2], 10 * p);
        EXPECT_EQ(square[4 * p + 3], 255);
    }
}

TEST(AlphaRules, InternalFormatFollowsQualityAndAlpha) {
    EXPECT_EQ(textureInternalFormat(AlphaMode::NONE, false), unsigned(GL_R3_G3_B2));
    EXPECT_EQ(textureInternalFormat(AlphaMode::NONE, true), unsigned(GL_RGB));
    EXPECT_EQ(textureInternalFormat(AlphaMode::BLACK_MASK, false), unsigned(GL_RGBA2));
    EXPECT_EQ(textureInternalFormat(AlphaMode::VALUE, false), unsigned(GL_RGBA2));
    EXPECT_EQ(textureInternalFormat(AlphaMode::LUMINANCE, true), unsigned(GL_RGBA));
}
}  // namespace
