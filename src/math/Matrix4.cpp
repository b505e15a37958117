#include "math/Matrix4.h"

#include "math/Scalar.h"

void Matrix4::setIdentity() {
    for (int i = 0; i < 16; ++i) {
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

void Matrix4::setTranslation(float x, float y, float z) {
    m[12] = x;
    m[13] = y;
    m[14] = z;
}

void Matrix4::setRotationTranslation(const Vec3& rotation, const Vec3& position) {
    const float cx = cosF(rotation.x), sx = sinF(rotation.x);
    const float cy = cosF(rotation.y), sy = sinF(rotation.y);
    const float cz = cosF(rotation.z), sz = sinF(rotation.z);

    m[0] = cz * cy + sz * sx * sy;
    m[1] = sz * cx;
    m[2] = -cz * sy + sz * sx * cy;
    m[3] = 0.0f;

    m[4] = -sz * cy + cz * sx * sy;
    m[5] = cz * cx;
    m[6] = sz * sy + cz * sx * cy;
    m[7] = 0.0f;

    m[8] = cx * sy;
    m[9] = -sx;
    m[10] = cx * cy;
    m[11] = 0.0f;

    m[12] = position.x;
    m[13] = position.y;
    m[14] = position.z;
    m[15] = 1.0f;
}

void Matrix4::setView(const Vec3& eye, const Vec3& forward, const Vec3& side, const Vec3& up) {
    m[0] = side.x;
    m[1] = up.x;
    m[2] = -forward.x;
    m[3] = 0.0f;
    m[4] = side.y;
    m[5] = up.y;
    m[6] = -forward.y;
    m[7] = 0.0f;
    m[8] = side.z;
    m[9] = up.z;
    m[10] = -forward.z;
    m[11] = 0.0f;
    for (int row = 0; row < 3; ++row) {
        m[12 + row] = -(m[row] * eye.x + m[row + 4] * eye.y + m[row + 8] * eye.z);
    }
    m[15] = 1.0f;
}

void Matrix4::lookAt(Vec3 eye, Vec3 target, Vec3 up) {
    Vec3 forward = target - eye;
    forward.normalize();
    Vec3 side = forward.cross(up);
    Vec3 trueUp = side.cross(forward);
    setView(eye, forward, side, trueUp);
}
