#pragma once

#include "math/Vec.h"

// Column-major 4x4 matrix in the order OpenGL loads it: element column * 4 + row,
// translation in elements 12, 13 and 14.
struct Matrix4 {
    float m[16];

    Matrix4() { setIdentity(); }

    void setIdentity();
    // Writes the translation only; the rotation part stays as it is.
    void setTranslation(float x, float y, float z);
    // Ry(heading) * Rx(pitch) * Rz(roll), then the translation: rotation angles in
    // radians, x pitch, y heading, z roll.
    void setRotationTranslation(const Vec3& rotation, const Vec3& position);
    // A view matrix whose rotation rows are side, up and -forward.
    void setView(const Vec3& eye, const Vec3& forward, const Vec3& side, const Vec3& up);
    // Side and up are deliberately left unnormalised: a camera tilted from the
    // horizontal sees the scene scaled by the cosine of its tilt, and the game's
    // camera framing is tuned to that.
    void lookAt(Vec3 eye, Vec3 target, Vec3 up);

    const float* data() const { return m; }
    float& operator[](int index) { return m[index]; }
    float operator[](int index) const { return m[index]; }
};
