#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/ModelGlTestSupport.h"
#include "support/HostileImages.h"

namespace {
using TextureCacheGl = ModelGlTest;

const std::string UNABLE = "Unable to load the texture file:";

std::string errorText(const std::string& detail) {
    return UNABLE + " " + detail + " The application will continue.";
}

// The texture's level 0 as RGBA bytes, rows bottom first as OpenGL numbers them
// (which for an upload is the buffer's first row).
std::vector<std::uint8_t> textureTexels(GLuint texture, int width, int height) {
    std::vector<std::uint8_t> texels(std::size_t(width) * height * 4);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

GLint internalFormatOf(GLuint texture) {
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    return format;
}

TEST_F(TextureCacheGl, TexelsAreTheImageInRedGreenBlueAlphaOrder) {
    // Three pixels a row: the texture must read the image's rows packed.
    const std::vector<std::uint8_t> bgr = {
        0, 0, 255, 0, 255, 0, 255, 0, 0,  // red, green, blue
        0, 0, 0, 10, 20, 30, 255, 255, 255,
    };
    media.write("rows.bmp", makeTestBmp(3, 2, 24, bgr));
    const GLuint texture = createTexture("rows.bmp", AlphaMode::BLACK_MASK, 0.0f);
    ASSERT_NE(texture, 0u);
    const std::vector<std::uint8_t> expected = {
        255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255,
        0, 0, 0, 0, 30, 20, 10, 255, 255, 255, 255, 255,
    };
    EXPECT_EQ(textureTexels(texture, 3, 2), expected);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);
}

TEST_F(TextureCacheGl, AJpegRedPixelBecomesARedTexel) {
    ASSERT_TRUE(writeTestJpeg(media.mediaPath("red.jpg"), 8, 8, 3, JCS_RGB,
                              solidRgb(8, 8, 255, 0, 0)));
    const GLuint texture = createTexture("red.jpg", AlphaMode::RED_MASK, 0.0f);
    ASSERT_NE(texture, 0u);
    const std::vector<std::uint8_t> texels = textureTexels(texture, 8, 8);
    EXPECT_GE(texels[0], 249);
    EXPECT_LE(texels[1], 6);
    EXPECT_LE(texels[2], 6);
    EXPECT_EQ(texels[3], 0);  // strongly red: cut out
}

TEST_F(TextureCacheGl, InternalFormatsFollowTheQualityOption) {
    writeSolidBmp("a.bmp", 2, 2, 10, 20, 30);
    writeSolidBmp("b.bmp", 2, 2, 10, 20, 30);
    resetTextureCache(false);
    EXPECT_EQ(internalFormatOf(createTexture("a.bmp", AlphaMode::NONE, 0.0f)), GL_R3_G3_B2);
    EXPECT_EQ(internalFormatOf(createTexture("b.bmp", AlphaMode::LUMINANCE, 0.0f)), GL_RGBA2);
    releaseTextures();
    resetTextureCache(true);
    EXPECT_EQ(internalFormatOf(createTexture("a.bmp", AlphaMode::NONE, 0.0f)), GL_RGB);
    EXPECT_EQ(internalFormatOf(createTexture("b.bmp", AlphaMode::VALUE, 0.5f)), GL_RGBA);
}

TEST_F(TextureCacheGl, ANameIsDecodedOnceAndLookupsAreCaseSensitive) {
    writeSolidBmp("ball.bmp", 2, 2, 200, 0, 0);
    writeSolidBmp("BALL.bmp", 2, 2, 0, 200, 0);
    const GLuint first = createTexture("ball.bmp", AlphaMode::NONE, 0.0f);
    ASSERT_NE(first, 0u);
    // Gone from the disk, the file is still served from the cache.
    std::remove(media.mediaPath("ball.bmp").c_str());
    EXPECT_EQ(createTexture("ball.bmp", AlphaMode::LUMINANCE, 0.0f), first);
    const GLuint upper = createTexture("BALL.bmp", AlphaMode::NONE, 0.0f);
    EXPECT_NE(upper, 0u);
    EXPECT_NE(upper, first);
    EXPECT_TRUE(errors.empty());
}

TEST_F(TextureCacheGl, FailuresAreReportedOnceAndTheSlotIsReused) {
    EXPECT_EQ(createTexture("face.png", AlphaMode::NONE, 0.0f), 0u);
    EXPECT_EQ(createTexture("face.png", AlphaMode::NONE, 0.0f), 0u);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], errorText("face.png"));

    // A good file takes the failed name's slot; the failed name is then new again.
    writeSolidBmp("good.bmp", 1, 1, 1, 2, 3);
    EXPECT_NE(createTexture("good.bmp", AlphaMode::NONE, 0.0f), 0u);
    EXPECT_EQ(createTexture("face.png", AlphaMode::NONE, 0.0f), 0u);
    EXPECT_EQ(errors.size(), 2u);

    const std::string tooLong(260, 't');
    EXPECT_EQ(createTexture(tooLong.c_str(), AlphaMode::NONE, 0.0f), 0u);
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[2], errorText(tooLong));

    // A header that claims more than any texture gets the same message, once.
    media.write("huge.bmp", bmpHeader(20000, 20000, 24));
    EXPECT_EQ(createTexture("huge.bmp", AlphaMode::NONE, 0.0f), 0u);
    EXPECT_EQ(createTexture("huge.bmp", AlphaMode::NONE, 0.0f), 0u);
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[3], errorText("huge.bmp"));
}

TEST_F(TextureCacheGl, The256thFileIsRefusedAndReleaseDeletesEveryTexture) {
    std::vector<GLuint> textures;
    for (int i = 0; i < TEXTURE_SLOTS; ++i) {
        const std::string name = "t" + std::to_string(i) + ".bmp";
        writeSolidBmp(name, 1, 1, 9, 9, 9);
        textures.push_back(createTexture(name.c_str(), AlphaMode::NONE, 0.0f));
        ASSERT_NE(textures.back(), 0u) << name;
    }
    writeSolidBmp("extra.bmp", 1, 1, 9, 9, 9);
    EXPECT_EQ(createTexture("extra.bmp", AlphaMode::NONE, 0.0f), 0u);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], errorText("extra.bmp"));
    // Known names are still served.
    EXPECT_EQ(createTexture("t254.bmp", AlphaMode::NONE, 0.0f), textures.back());

    releaseTextures();
    for (GLuint texture : textures) {
        EXPECT_FALSE(glIsTexture(texture)) << texture;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureCacheGl, ModelsSharingATextureKeepItWhenOneIsDestroyed) {
    writeSolidBmp("shared.bmp", 2, 2, 255, 0, 0);
    const std::string text = squareModel("1 1 1 1", "TEXTURE { FILE shared.bmp ALPHA NONE }");
    Model kept;
    loadModel(kept, "kept.a3f", text);
    {
        Model gone;
        loadModel(gone, "gone.a3f", text);
        EXPECT_EQ(gone.material.textureId, kept.material.textureId);
    }
    EXPECT_TRUE(glIsTexture(kept.material.textureId));
    kept.draw();
    expectColour(centre(), 255, 0, 0);
}
}  // namespace
