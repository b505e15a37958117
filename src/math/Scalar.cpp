#include "math/Scalar.h"

#include <cmath>

float sinF(float angle) { return static_cast<float>(std::sin(static_cast<double>(angle))); }
float cosF(float angle) { return static_cast<float>(std::cos(static_cast<double>(angle))); }
float sqrtF(float value) { return static_cast<float>(std::sqrt(static_cast<double>(value))); }
float atan2F(float y, float x) {
    return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
}
