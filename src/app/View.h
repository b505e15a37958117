#pragma once

#include <cstdint>

#include "math/Matrix4.h"
#include "math/Vec.h"

// One OpenGL light slot; position is (x, y, z, w) as OpenGL takes it.
struct Light {
    Color4 ambient;
    Color4 diffuse;
    Color4 specular;
    Color4 position;
};

constexpr int LIGHT_SLOTS = 8;

// What the picture is seen through: the projection for the drawable area, the
// lights, and each frame's place on the projection stack. The view matrix lives
// on the projection stack, so the model-view matrix holds only each model's own
// transform and lighting is worked out in world coordinates.
class View {
public:
    // The OpenGL state the game starts with, once the window's context is
    // current: the clear colour, the viewport and projection, depth test,
    // culling, blending function, texturing and vertex arrays, the lights (one
    // slot when lit, none otherwise) and the default material.
    void setUp(Color4 clear, float nearPlane, float farPlane, bool lit, int width, int height);
    // The viewport and the perspective projection for a drawable area of this
    // size: the vertical field of view stays, the horizontal one follows the aspect.
    void setSize(int width, int height);
    void setLightPosition(std::uint8_t slot, Vec3 position);
    // One frame: saves the pure projection and clears the picture; then the view
    // matrix goes onto the projection; endFrame restores the pure projection.
    void beginFrame();
    void applyCamera(const Matrix4& viewMatrix);
    void endFrame();

    const Color4& clearColor() const { return clearColor_; }
    int lightCount() const { return lightCount_; }
    const Light* lights() const { return lights_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    void setUpLights(bool lit);

    Color4 clearColor_;
    float nearPlane_ = 1.0f;
    float farPlane_ = 500.0f;
    int width_ = 0;
    int height_ = 0;
    int lightCount_ = 0;
    Light lights_[LIGHT_SLOTS];
};

// Multiplies the current matrix by a perspective frustum (vertical field of view
// in degrees).
void setPerspective(float fieldOfViewDegrees, float aspect, float nearPlane, float farPlane);
