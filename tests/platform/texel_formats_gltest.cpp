#include <gtest/gtest.h>

#include "platform/OpenGl.h"

#include <cstdint>
#include <vector>

#include "platform/TexelFormats.h"
#include "support/GlTestWindow.h"

// The desktop's driver keeps the low-quality formats exactly as the browser
// build cuts its texels: every value of every channel reads back the same.
TEST(TexelFormatsGl, TheDriverKeepsTheSmallFormatsAsTheyAreCut) {
    GlTestWindow window{16, 16};
    ASSERT_TRUE(window.ok());
    constexpr int VALUES = 256;
    std::vector<std::uint8_t> ramp(4 * VALUES);
    for (int value = 0; value < VALUES; ++value) {
        // Each channel a different value, so that no channel hides another's fault.
        for (int channel = 0; channel < 4; ++channel) {
            ramp[4 * value + channel] = static_cast<std::uint8_t>((value + 64 * channel) % VALUES);
        }
    }
    for (const GLenum format : {GL_R3_G3_B2, GL_RGBA2, GL_RGB}) {
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), VALUES, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     ramp.data());
        std::vector<std::uint8_t> stored(ramp.size());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, stored.data());
        std::vector<std::uint8_t> cut = ramp;
        quantiseTexels(cut.data(), VALUES, format);
        EXPECT_EQ(stored, cut) << "format 0x" << std::hex << format;
        glDeleteTextures(1, &texture);
    }
}
