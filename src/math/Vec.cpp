#include "math/Vec.h"

#include "math/Scalar.h"

float Vec3::length() const { return sqrtF(x * x + y * y + z * z); }

float Vec3::normalize() {
    float len = length();
    if (len == 0.0f) {
        return len;
    }
    x /= len;
    y /= len;
    z /= len;
    return len;
}
