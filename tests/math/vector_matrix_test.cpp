#include <gtest/gtest.h>

#include <cmath>

#include "math/Matrix4.h"
#include "math/Scalar.h"
#include "math/Vec.h"

namespace {

constexpr float EPS = 1e-6f;

// Column vector times matrix, the way OpenGL applies it.
Vec3 transformDirection(const Matrix4& m, const Vec3& v) {
    return Vec3(m[0] * v.x + m[4] * v.y + m[8] * v.z, m[1] * v.x + m[5] * v.y + m[9] * v.z,
                m[2] * v.x + m[6] * v.y + m[10] * v.z);
}

void expectVec(const Vec3& actual, float x, float y, float z, float eps = EPS) {
    EXPECT_NEAR(actual.x, x, eps);
    EXPECT_NEAR(actual.y, y, eps);
    EXPECT_NEAR(actual.z, z, eps);
}

}  // namespace

TEST(Vec3Test, NormalizeKeepsZeroAndScalesOthers) {
    Vec3 zero;
    EXPECT_EQ(zero.normalize(), 0.0f);
    expectVec(zero, 0, 0, 0, 0);

    Vec3 v(3, 0, 4);
    EXPECT_FLOAT_EQ(v.normalize(), 5.0f);
    expectVec(v, 0.6f, 0.0f, 0.8f);
    EXPECT_NEAR(v.length(), 1.0f, EPS);
}

TEST(Vec3Test, CrossIsRightHanded) {
    expectVec(Vec3(1, 0, 0).cross(Vec3(0, 1, 0)), 0, 0, 1);
    expectVec(Vec3(0, 1, 0).cross(Vec3(0, 0, 1)), 1, 0, 0);
    expectVec(Vec3(2, 3, 4).cross(Vec3(5, 6, 7)), -3, 6, -3);
}

TEST(ScalarTest, Atan2TakesYFirst) {
    EXPECT_NEAR(atan2F(1.0f, 0.0f), PI / 2, EPS);
    EXPECT_NEAR(atan2F(0.0f, -1.0f), PI, EPS);
    EXPECT_FLOAT_EQ(sqrtF(6.25f), 2.5f);
}

TEST(Matrix4Test, RotationColumnsForQuarterHeading) {
    Matrix4 m;
    m.setRotationTranslation(Vec3(0, PI / 2, 0), Vec3(1, 2, 3));
    expectVec(transformDirection(m, Vec3(1, 0, 0)), 0, 0, -1);
    expectVec(transformDirection(m, Vec3(0, 0, 1)), 1, 0, 0);
    EXPECT_FLOAT_EQ(m[12], 1.0f);
    EXPECT_FLOAT_EQ(m[13], 2.0f);
    EXPECT_FLOAT_EQ(m[14], 3.0f);
    EXPECT_FLOAT_EQ(m[15], 1.0f);
}

TEST(Matrix4Test, RotationIsHeadingAfterPitchAfterRoll) {
    const float pitch = 0.3f, heading = -1.1f, roll = 0.7f;
    Matrix4 combined;
    combined.setRotationTranslation(Vec3(pitch, heading, roll), Vec3());
    Matrix4 rollOnly, pitchOnly, headingOnly;
    rollOnly.setRotationTranslation(Vec3(0, 0, roll), Vec3());
    pitchOnly.setRotationTranslation(Vec3(pitch, 0, 0), Vec3());
    headingOnly.setRotationTranslation(Vec3(0, heading, 0), Vec3());

    const Vec3 probes[] = {Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0.2f, -0.5f, 0.9f)};
    for (const Vec3& probe : probes) {
        Vec3 stepwise =
            transformDirection(headingOnly, transformDirection(pitchOnly, transformDirection(rollOnly, probe)));
        Vec3 direct = transformDirection(combined, probe);
        expectVec(direct, stepwise.x, stepwise.y, stepwise.z, 1e-5f);
    }
    // A positive pitch tips the nose (+z) down.
    EXPECT_LT(transformDirection(pitchOnly, Vec3(0, 0, 1)).y, 0.0f);
}

TEST(Matrix4Test, SetTranslationLeavesRotation) {
    Matrix4 m;
    m.setRotationTranslation(Vec3(0, 1, 0), Vec3());
    Matrix4 before = m;
    m.setTranslation(4, 5, 6);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(m[i], before[i]) << i;
    }
    EXPECT_EQ(m[12], 4.0f);
    EXPECT_EQ(m[14], 6.0f);
}

TEST(Matrix4Test, LookAtMatchesInitialCameraView) {
    Matrix4 view;
    view.setView(Vec3(0, 1, -5), Vec3(0, 0, 1), Vec3(-1, 0, 0), Vec3(0, 1, 0));
    Matrix4 look;
    look.lookAt(Vec3(0, 1, -5), Vec3(0, 1, 0), Vec3(0, 1, 0));
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(look[i], view[i], EPS) << i;
    }
    EXPECT_FLOAT_EQ(view[0], -1.0f);
    EXPECT_FLOAT_EQ(view[5], 1.0f);
    EXPECT_FLOAT_EQ(view[10], -1.0f);
    EXPECT_FLOAT_EQ(view[14], -5.0f);
    EXPECT_NEAR(view[13], -1.0f, EPS);
}

TEST(Matrix4Test, LookAtKeepsTiltScaleInSideAndUp) {
    Matrix4 look;
    look.lookAt(Vec3(0, 10, 0), Vec3(0, 0, 10), Vec3(0, 1, 0));
    const float c45 = std::cos(PI / 4);
    // Side row: elements 0, 4, 8; up row: 1, 5, 9; -forward row: 2, 6, 10.
    EXPECT_NEAR(look[0], -c45, EPS);
    EXPECT_NEAR(look[4], 0.0f, EPS);
    EXPECT_NEAR(look[8], 0.0f, EPS);
    float upLength = std::sqrt(look[1] * look[1] + look[5] * look[5] + look[9] * look[9]);
    EXPECT_NEAR(upLength, c45, 1e-5f);
    float forwardLength = std::sqrt(look[2] * look[2] + look[6] * look[6] + look[10] * look[10]);
    EXPECT_NEAR(forwardLength, 1.0f, 1e-5f);
    // The eye itself lands on the origin of view space.
    const Vec3 eye(0, 10, 0);
    Vec3 eyeInView = transformDirection(look, eye);
    expectVec(Vec3(eyeInView.x + look[12], eyeInView.y + look[13], eyeInView.z + look[14]), 0, 0, 0, 1e-5f);
}
