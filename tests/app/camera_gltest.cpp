#include "platform/OpenGl.h"
#include <gtest/gtest.h>

#include <array>

#include "app/View.h"
#include "support/GlTestWindow.h"

namespace {

using Matrix = std::array<float, 16>;

Matrix currentMatrix(GLenum which) {
    Matrix matrix;
    glGetFloatv(which, matrix.data());
    return matrix;
}

// Column-major product a * b, as glMultMatrixf forms it.
Matrix multiply(const Matrix& a, const float* b) {
    Matrix product{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a[k * 4 + row] * b[column * 4 + k];
            }
            product[column * 4 + row] = sum;
        }
    }
    return product;
}

void expectMatrixNear(const Matrix& actual, const Matrix& expected, float tolerance) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
    }
}

std::array<float, 4> lightValue(GLenum light, GLenum what) {
    std::array<float, 4> value{};
    glGetLightfv(light, what, value.data());
    return value;
}

std::array<float, 4> materialValue(GLenum what) {
    std::array<float, 4> value{};
    glGetMaterialfv(GL_FRONT, what, value.data());
    return value;
}

int integerState(GLenum what) {
    GLint value = 0;
    glGetIntegerv(what, &value);
    return value;
}

using Rgba = std::array<float, 4>;

// A view set up as the engine's start leaves it, on a real 640 x 480 context,
// with the size the window got (the options may have asked for another).
class CameraTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.ok()); }
    void initialise(bool lights) {
        view.setUp(Color4(0.25f, 0.5f, 0.75f, 1.0f), 1.0f, 500.0f, lights, 640, 480);
    }

    GlTestWindow window{640, 480};
    View view;
};

}  // namespace

TEST_F(CameraTest, PerspectiveHasTheGameFrustum) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    setPerspective(45.0f, 640.0f / 480.0f, 1.0f, 500.0f);
    Matrix projection = currentMatrix(GL_PROJECTION_MATRIX);
    // A frustum's scale terms are near / right and near / top. The expected sides
    // come from the 3.14159 constant; full-precision pi moves them by about 4e-7.
    EXPECT_NEAR(1.0f / projection[5], 0.41421318f, 1e-7f);
    EXPECT_NEAR(1.0f / projection[0], 0.55228426f, 1e-7f);
    EXPECT_FLOAT_EQ(projection[8], 0.0f);  // symmetric: no skew
    EXPECT_FLOAT_EQ(projection[9], 0.0f);
    EXPECT_FLOAT_EQ(projection[10], -(500.0f + 1.0f) / (500.0f - 1.0f));
    EXPECT_FLOAT_EQ(projection[14], -2.0f * 500.0f / (500.0f - 1.0f));
    EXPECT_FLOAT_EQ(projection[11], -1.0f);
}

TEST_F(CameraTest, InitialStateWithLights) {
    initialise(true);
    EXPECT_EQ(integerState(GL_MATRIX_MODE), GL_PROJECTION);
    Matrix projection = currentMatrix(GL_PROJECTION_MATRIX);
    EXPECT_NEAR(1.0f / projection[0], 0.55228426f, 1e-7f);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    Rgba clear{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
    EXPECT_EQ(clear, (Rgba{0.25f, 0.5f, 0.75f, 1.0f}));

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    EXPECT_EQ(integerState(GL_FRONT_FACE), GL_CCW);
    EXPECT_EQ(integerState(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(integerState(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integerState(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    EXPECT_EQ(view.lightCount(), 1);
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_AMBIENT), (Rgba{0.1f, 0.1f, 0.1f, 1.0f}));
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_DIFFUSE), (Rgba{1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_SPECULAR), (Rgba{0.2f, 0.2f, 0.2f, 1.0f}));
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_POSITION), (Rgba{0.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(integerState(GL_LIGHT_MODEL_LOCAL_VIEWER), 0);

    Rgba color{};
    glGetFloatv(GL_CURRENT_COLOR, color.data());
    EXPECT_EQ(color, (Rgba{1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(materialValue(GL_AMBIENT), (Rgba{0.1f, 0.1f, 0.1f, 1.0f}));
    EXPECT_EQ(materialValue(GL_EMISSION), (Rgba{0.1f, 0.1f, 0.1f, 1.0f}));
    EXPECT_EQ(materialValue(GL_SPECULAR), (Rgba{1.0f, 1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(materialValue(GL_DIFFUSE), (Rgba{0.8f, 0.8f, 0.8f, 1.0f}));  // untouched
}

TEST_F(CameraTest, InitialStateWithoutLights) {
    initialise(false);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(view.lightCount(), 0);
    const Rgba zero{0.0f, 0.0f, 0.0f, 0.0f};
    EXPECT_EQ(materialValue(GL_AMBIENT), zero);
    EXPECT_EQ(materialValue(GL_EMISSION), zero);
    EXPECT_EQ(materialValue(GL_SPECULAR), zero);
    EXPECT_EQ(view.lights()[0].diffuse.r, 0.0f);
    Rgba color{};
    glGetFloatv(GL_CURRENT_COLOR, color.data());
    EXPECT_EQ(color, (Rgba{1.0f, 1.0f, 1.0f, 1.0f}));
}

TEST_F(CameraTest, LightPositionOnlyForSlotsInUse) {
    initialise(true);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    view.setLightPosition(0, Vec3(100.0f, 100.0f, -100.0f));
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_POSITION), (Rgba{100.0f, 100.0f, -100.0f, 1.0f}));
    EXPECT_EQ(view.lights()[0].position.b, -100.0f);
    EXPECT_EQ(view.lights()[0].position.a, 1.0f);

    Rgba light1Before = lightValue(GL_LIGHT1, GL_POSITION);
    view.setLightPosition(1, Vec3(5.0f, 6.0f, 7.0f));
    EXPECT_EQ(lightValue(GL_LIGHT1, GL_POSITION), light1Before);
    EXPECT_EQ(view.lights()[1].position.r, 0.0f);
}

TEST_F(CameraTest, LightPositionDoesNothingWithLightsOff) {
    initialise(false);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    view.setLightPosition(0, Vec3(100.0f, 100.0f, -100.0f));
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_POSITION), (Rgba{0.0f, 0.0f, 1.0f, 0.0f}));  // GL's default
    EXPECT_EQ(view.lights()[0].position.r, 0.0f);
    EXPECT_EQ(view.lights()[0].position.a, 0.0f);
}

TEST_F(CameraTest, FrameViewRidesOnTheProjectionStack) {
    initialise(true);
    Matrix perspective = currentMatrix(GL_PROJECTION_MATRIX);
    view.beginFrame();
    EXPECT_EQ(integerState(GL_PROJECTION_STACK_DEPTH), 2);
    Matrix4 camera;
    camera.lookAt(Vec3(0.0f, 10.0f, -55.0f), Vec3(0.0f, 0.0f, -35.0f), Vec3(0.0f, 1.0f, 0.0f));
    view.applyCamera(camera);
    EXPECT_EQ(integerState(GL_MATRIX_MODE), GL_MODELVIEW);
    expectMatrixNear(currentMatrix(GL_MODELVIEW_MATRIX), Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0,
                                                                0, 0, 0, 1},
                     0.0f);
    expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX), multiply(perspective, camera.data()), 1e-4f);

    glMatrixMode(GL_MODELVIEW);
    glTranslatef(3.0f, 0.0f, 0.0f);  // a model's own matrix while drawing
    view.endFrame();
    EXPECT_EQ(integerState(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_EQ(integerState(GL_PROJECTION_STACK_DEPTH), 1);
    expectMatrixNear(currentMatrix(GL_PROJECTION_MATRIX), perspective, 0.0f);
}

// A resize keeps the vertical field of view and lets the horizontal one follow the
// aspect.
TEST_F(CameraTest, ResizeRemakesViewportAndProjection) {
    initialise(true);
    const struct {
        int width;
        int height;
    } sizes[] = {{1000, 700}, {2100, 900}, {640, 480}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.width);
        view.setSize(size.width, size.height);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], size.width);
        EXPECT_EQ(viewport[3], size.height);
        EXPECT_EQ(view.width(), size.width);
        EXPECT_EQ(view.height(), size.height);
        const Matrix projection = currentMatrix(GL_PROJECTION_MATRIX);
        const float top = 0.41421318f;  // 45 degrees at the near plane, 1
        EXPECT_NEAR(1.0f / projection[5], top, 1e-6f);
        EXPECT_NEAR(1.0f / projection[0], top * size.width / size.height, 1e-5f);
        EXPECT_EQ(integerState(GL_PROJECTION_STACK_DEPTH), 1);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
