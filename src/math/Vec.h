#pragma once

// Plain value types passed around by every part of the game. All storage is
// single precision; none of them owns memory.

struct Vec2 {
    float u = 0.0f;
    float v = 0.0f;

    void set(float newU, float newV) { u = newU; v = newV; }
};

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3() = default;
    Vec3(float x0, float y0, float z0) : x(x0), y(y0), z(z0) {}

    void set(float newX, float newY, float newZ) { x = newX; y = newY; z = newZ; }
    Vec3 operator-(const Vec3& other) const { return Vec3(x - other.x, y - other.y, z - other.z); }
    Vec3& operator+=(const Vec3& other) {
        x += other.x;
        y += other.y;
        z += other.z;
        return *this;
    }
    float lengthSquared() const { return x * x + y * y + z * z; }
    float length() const;
    // Scales the vector to length 1 and returns the length it had; a zero vector
    // stays zero (there is no direction to keep).
    float normalize();
    Vec3 cross(const Vec3& other) const {
        return Vec3(y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x);
    }
};

struct Color4 {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    Color4() = default;
    Color4(float r0, float g0, float b0, float a0) : r(r0), g(g0), b(b0), a(a0) {}
    const float* data() const { return &r; }
    float* data() { return &r; }
};
