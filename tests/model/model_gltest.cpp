#include <gtest/gtest.h>

#include <memory>

#include "model/ModelGlTestSupport.h"

namespace {
using ModelDrawing = ModelGlTest;

TEST_F(ModelDrawing, ALoadedModelDrawsItsDiffuseColourAtItsTransform) {
    Model model;
    loadModel(model, "green.a3f", squareModel("0 1 0 1"));
    ASSERT_NE(model.displayList, 0u);
    model.draw();
    expectColour(centre(), 0, 255, 0);

    // Moved right by one unit, the square covers only the right half.
    clearTo(0, 0, 1);
    model.transform.setTranslation(1.0f, 0.0f, 0.0f);
    glMatrixMode(GL_MODELVIEW);
    model.draw();
    expectColour(window.pixelAt(4, 16), 0, 0, 255);
    expectColour(window.pixelAt(28, 16), 0, 255, 0);
    EXPECT_TRUE(errors.empty());
}

TEST_F(ModelDrawing, BackFacesAreCulled) {
    Model model;
    loadModel(model, "back.a3f", squareModel("0 1 0 1", "", true));
    model.draw();
    expectColour(centre(), 0, 0, 255);
}

TEST_F(ModelDrawing, OnlyAlphaModesOtherThanNoneBlendAndLeaveBlendingOff) {
    // The texture is missing, yet the ALPHA word alone asks for blending with
    // the diffuse colour's alpha.
    Model blended;
    loadModel(blended, "half.a3f",
              squareModel("1 0 0 0.5", "TEXTURE { FILE missing.bmp ALPHA LUMINANCE }"));
    EXPECT_EQ(blended.material.textureId, 0u);
    ASSERT_EQ(errors.size(), 1u);
    blended.draw();
    expectColour(centre(), 128, 0, 127, 6);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    // NONE never touches the blend switch: left on by someone else, it stays on,
    // and left off, the colour is drawn opaque.
    Model opaque;
    loadModel(opaque, "opaque.a3f", squareModel("1 0 0 0.5"));
    clearTo(0, 0, 1);
    opaque.draw();
    expectColour(centre(), 255, 0, 0);
    glEnable(GL_BLEND);
    opaque.draw();
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    glDisable(GL_BLEND);
}

TEST_F(ModelDrawing, TexturedModelsShowTheTextureAndCopiesShareTheGeometry) {
    writeSolidBmp("red.bmp", 4, 4, 255, 0, 0);
    Model source;
    loadModel(source, "tex.a3f", squareModel("1 1 1 1", "TEXTURE { FILE red.bmp ALPHA NONE }"));
    ASSERT_NE(source.material.textureId, 0u);
    source.draw();
    expectColour(centre(), 255, 0, 0);

    // A copy whose own texture fails binds no texture and shows the plain diffuse
    // colour, from the very same display list.
    Model copy;
    copy.copyFrom(source, "absent.bmp");
    EXPECT_TRUE(copy.isCopy);
    EXPECT_EQ(copy.displayList, source.displayList);
    EXPECT_EQ(copy.vertices, source.vertices);
    EXPECT_EQ(copy.material.textureId, 0u);
    EXPECT_EQ(errors.size(), 1u);
    clearTo(0, 0, 1);
    copy.draw();
    expectColour(centre(), 255, 255, 255);

    Model plainCopy;
    plainCopy.copyFrom(source, nullptr);
    EXPECT_EQ(plainCopy.material.textureId, source.material.textureId);
    clearTo(0, 0, 1);
    plainCopy.draw();
    expectColour(centre(), 255, 0, 0);
}

TEST_F(ModelDrawing, AModelThatFailedToLoadIssuesNoGlCall) {
    Model broken;
    broken.load("nowhere.a3f");
    EXPECT_EQ(broken.displayList, 0u);
    ASSERT_EQ(errors.size(), 1u);

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(3.0f, 4.0f, 5.0f);
    broken.draw();
    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_EQ(matrix[12], 3.0f);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), texture);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glDeleteTextures(1, &texture);
    glLoadIdentity();
}

TEST_F(ModelDrawing, OnlyTheSourceDeletesTheSharedDisplayList) {
    auto source = std::make_unique<Model>();
    loadModel(*source, "green.a3f", squareModel("0 1 0 1"));
    const GLuint list = source->displayList;
    ASSERT_TRUE(glIsList(list));
    {
        Model copy;
        copy.copyFrom(*source, nullptr);
    }
    EXPECT_TRUE(glIsList(list));
    source.reset();
    EXPECT_FALSE(glIsList(list));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ModelDrawing, DisplayListNamesComeFromOneReservedBlock) {
    resetDisplayListNamesForTesting();
    const std::uint32_t first = newDisplayList();
    const std::uint32_t second = newDisplayList();
    ASSERT_NE(first, 0u);
    EXPECT_EQ(second, first + 1);
    // The block is reserved: OpenGL hands out no name inside it.
    const GLuint other = glGenLists(1);
    EXPECT_TRUE(other < first || other >= first + 1000) << first << " " << other;
    glDeleteLists(other, 1);
}
}  // namespace
