#include <gtest/gtest.h>

#include "platform/OpenGl.h"

#include "support/GlTestWindow.h"
#include "text/TextLabel.h"

namespace {
const LabelRect GAME_LABEL = {0, 456, 120, 480};
const LabelRect WHOLE_BITMAP = {0, 0, 120, 24};
constexpr std::uint32_t RED = 0xFF0000FFu;  // RGBA as GlTestWindow::pixelAt packs it

bool isRed(std::uint32_t rgba) { return (rgba & 0xFFFFFF00u) == (RED & 0xFFFFFF00u); }
bool isWhite(std::uint32_t rgba) { return (rgba >> 24) > 200 && ((rgba >> 16) & 0xFF) > 200; }
bool isBlack(std::uint32_t rgba) { return (rgba & 0xFFFFFF00u) == 0; }

class LabelDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.ok());
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    GlTestWindow window{160, 64};
};

TEST_F(LabelDrawTest, ShowsWhiteOnBlackAtTheBottomLeft) {
    TextLabel label;
    ASSERT_TRUE(label.create(GAME_LABEL, 640, 480, false));
    label.setText("SCORE: 0", WHOLE_BITMAP, 0);
    label.draw();
    int white = 0;
    int black = 0;
    int red = 0;
    int topWhite = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t pixel = window.pixelAt(x, y);
            white += isWhite(pixel) ? 1 : 0;
            black += isBlack(pixel) ? 1 : 0;
            red += isRed(pixel) ? 1 : 0;
            topWhite += (y >= 8 && isWhite(pixel)) ? 1 : 0;
        }
    }
    EXPECT_GT(white, 50);
    EXPECT_GT(black, 1000);
    EXPECT_EQ(red, 0);  // blending off: the whole rectangle is opaque
    EXPECT_GT(topWhite, white / 2);  // the text hangs from the label's top edge
    EXPECT_TRUE(isRed(window.pixelAt(120, 0)));
    EXPECT_TRUE(isRed(window.pixelAt(0, 24)));
    EXPECT_TRUE(isRed(window.pixelAt(159, 63)));
}

TEST_F(LabelDrawTest, WithBlendingOnlyTheLineBoxCovers) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    TextLabel label;
    ASSERT_TRUE(label.create(GAME_LABEL, 640, 480, true));
    label.setText("GO", WHOLE_BITMAP, 0);
    label.draw();
    EXPECT_TRUE(isBlack(window.pixelAt(0, 23)));     // inside the line's box
    EXPECT_TRUE(isRed(window.pixelAt(110, 12)));     // beside it: see-through
    EXPECT_TRUE(isRed(window.pixelAt(5, 0)));        // below it
}

TEST_F(LabelDrawTest, RestoresEnableBitsAndProjection) {
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.0, 3.0, -4.0, 5.0, 1.0, 50.0);
    GLfloat projectionBefore[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionBefore);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1.0f, 2.0f, 3.0f);

    TextLabel label;
    ASSERT_TRUE(label.create(GAME_LABEL, 640, 480, true));
    label.setText("SCORE: 0", WHOLE_BITMAP, 0);
    label.draw();

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    GLfloat projectionAfter[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter);
    GLfloat modelView[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(projectionAfter[i], projectionBefore[i]) << i;
        EXPECT_FLOAT_EQ(modelView[i], (i % 5 == 0) ? 1.0f : 0.0f) << i;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LabelDrawTest, LabelWithoutBitmapDrawsNothing) {
    TextLabel label;
    EXPECT_FALSE(label.create({0, 0, 0, 0}, 640, 480, false));
    label.draw();
    EXPECT_TRUE(isRed(window.pixelAt(0, 0)));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
}
}  // namespace
