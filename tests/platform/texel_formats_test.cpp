#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/TexelFormats.h"

// A stored value widens back by repeating its bits, as OpenGL widens it; the
// level is the nearest one.
TEST(TexelFormatsTest, ChannelsKeepTheNearestLevelOfTheirBits) {
    const struct {
        int value;
        int bits;
        int expected;
    } cases[] = {
        {0, 3, 0},     {255, 3, 255}, {128, 3, 146}, {36, 3, 36},  {17, 3, 0},   {19, 3, 36},
        {0, 2, 0},     {255, 2, 255}, {128, 2, 170}, {42, 2, 0},   {43, 2, 85},  {128, 4, 136},
        {200, 4, 204}, {7, 4, 0},     {9, 4, 17},    {123, 8, 123}, {200, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(quantiseChannel(static_cast<std::uint8_t>(c.value), c.bits), c.expected)
            << c.value << " in " << c.bits << " bits";
    }
}

// The low-quality formats as the desktop's driver keeps them: 3-3-2 without
// alpha, 4-4-4-4; GL_RGB drops the alpha; GL_RGBA keeps everything.
TEST(TexelFormatsTest, EachFormatKeepsItsOwnBits) {
    const std::vector<std::uint8_t> texel = {200, 100, 50, 120};
    const struct {
        std::uint32_t format;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {TEXEL_FORMAT_RGBA, {200, 100, 50, 120}},
        {TEXEL_FORMAT_RGB, {200, 100, 50, 255}},
        {TEXEL_FORMAT_R3_G3_B2, {182, 109, 85, 255}},
        {TEXEL_FORMAT_RGBA2, {204, 102, 51, 119}},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> pixels = texel;
        pixels.insert(pixels.end(), texel.begin(), texel.end());
        quantiseTexels(pixels.data(), 2, c.format);
        EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin(), pixels.begin() + 4), c.expected) << c.format;
        EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin() + 4, pixels.end()), c.expected) << c.format;
    }
}
