// Projection, camera and lights.
#include "app/View.h"

#include "platform/OpenGl.h"

#include <cmath>

namespace {

// The single-precision constant the projection has always used; the picture's
// framing depends on it, so it is not replaced by a more precise pi.
constexpr float PI_APPROXIMATION = 3.14159f;
constexpr float FIELD_OF_VIEW_DEGREES = 45.0f;

void enableDrawingState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    // Blending is switched on per model; only its function is set once.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
}

// Without lights the slot's colours are zero, and so is this material.
void setDefaultMaterial(const Light& light) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glMaterialfv(GL_FRONT, GL_AMBIENT, light.ambient.data());
    glMaterialfv(GL_FRONT, GL_EMISSION, light.ambient.data());
    glMaterialfv(GL_FRONT, GL_SPECULAR, light.diffuse.data());
}

}  // namespace

void setPerspective(float fieldOfViewDegrees, float aspect, float nearPlane, float farPlane) {
    double halfAngle = static_cast<double>(fieldOfViewDegrees * PI_APPROXIMATION) / 360.0;
    float top = static_cast<float>(std::tan(halfAngle) * nearPlane);
    // The sides are worked out at the frustum's own double precision.
    double bottom = -static_cast<double>(top);
    double right = static_cast<double>(top) * aspect;
    double left = bottom * aspect;
    glFrustum(left, right, bottom, top, nearPlane, farPlane);
}

void View::setUp(Color4 clear, float nearPlane, float farPlane, bool lit, int width, int height) {
    clearColor_ = clear;
    glClearColor(clear.r, clear.g, clear.b, clear.a);
    nearPlane_ = nearPlane;
    farPlane_ = farPlane;
    setSize(width, height);
    enableDrawingState();
    setUpLights(lit);
    setDefaultMaterial(lights_[0]);
}

void View::setSize(int width, int height) {
    width_ = width;
    height_ = height;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    float aspect = height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    setPerspective(FIELD_OF_VIEW_DEGREES, aspect, nearPlane_, farPlane_);
}

void View::setUpLights(bool lit) {
    Light& light = lights_[0];
    if (!lit) {
        glDisable(GL_LIGHTING);
        lightCount_ = 0;
        return;
    }
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    lightCount_ = 1;
    light.ambient = Color4(0.1f, 0.1f, 0.1f, 1.0f);
    light.diffuse = Color4(1.0f, 1.0f, 1.0f, 1.0f);
    light.specular = Color4(0.2f, 0.2f, 0.2f, 1.0f);
    light.position = Color4(0.0f, 1.0f, 1.0f, 1.0f);
    glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient.data());
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse.data());
    glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular.data());
    // The model-view matrix is the identity here: the position is in world space.
    glLightfv(GL_LIGHT0, GL_POSITION, light.position.data());
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0);
}

void View::setLightPosition(std::uint8_t slot, Vec3 position) {
    if (slot >= lightCount_) {
        return;
    }
    Color4& lightPosition = lights_[slot].position;
    lightPosition.r = position.x;
    lightPosition.g = position.y;
    lightPosition.b = position.z;
    glLightfv(GL_LIGHT0 + slot, GL_POSITION, lightPosition.data());
}

void View::beginFrame() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();  // saves the pure projection; endFrame restores it
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void View::applyCamera(const Matrix4& viewMatrix) {
    glMultMatrixf(viewMatrix.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void View::endFrame() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
}
