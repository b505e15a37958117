#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/TexelFormats.h"

// The low-quality formats as the desktop's driver keeps them (every value is
// compared with the driver's in texel_formats_gltest.cpp): 3-3-2 without alpha,
// 4-4-4-4; GL_RGB drops the alpha; GL_RGBA keeps everything. Values widen back
// by repeating their bits.
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
