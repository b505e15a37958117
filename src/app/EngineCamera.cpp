// Projection, camera and lights. The view matrix lives on the projection stack, so
// the model-view matrix holds only each model's own transform and lighting is
// worked out in world coordinates.
#include "platform/OpenGl.h"

#include <cmath>

#include "app/Engine.h"
#include "app/EngineGl.h"

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

void setUpLights(Engine& engine) {
    Light& light = engine.lights[0];
    if (engine.options.lights != 0) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        engine.lightCount = 1;
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
    } else {
        glDisable(GL_LIGHTING);
        engine.lightCount = 0;
    }
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

void applyProjection(Engine& engine) {
    const int width = engine.drawableWidth;
    const int height = engine.drawableHeight;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    if (engine.frameInProgress) {
        glPopMatrix();  // the frame's copy of the old projection
    }
    glLoadIdentity();
    float aspect = height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    setPerspective(FIELD_OF_VIEW_DEGREES, aspect, engine.nearPlane, engine.farPlane);
    if (engine.frameInProgress) {
        glPushMatrix();
    }
}

void applyInitialGlState(Engine& engine, float nearPlane, float farPlane) {
    const Color4& clear = engine.clearColor;
    glClearColor(clear.r, clear.g, clear.b, clear.a);
    engine.nearPlane = nearPlane;
    engine.farPlane = farPlane;
    applyProjection(engine);
    enableDrawingState();
    setUpLights(engine);
    setDefaultMaterial(engine.lights[0]);
    engine.camera.setView(Vec3(0.0f, 1.0f, -5.0f), Vec3(0.0f, 0.0f, 1.0f),
                          Vec3(-1.0f, 0.0f, 0.0f), Vec3(0.0f, 1.0f, 0.0f));
    engine.cameraMatrix = &engine.camera;
}

void Engine::applyCamera() {
    if (clearDue) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        clearDue = false;
    }
    // The current matrix is the projection copy that beginFrame pushed.
    if (cameraMatrix != nullptr) {
        glMultMatrixf(cameraMatrix->data());
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void Engine::setLightPosition(std::uint8_t slot, Vec3 position) {
    if (slot >= lightCount) {
        return;
    }
    Color4& lightPosition = lights[slot].position;
    lightPosition.r = position.x;
    lightPosition.g = position.y;
    lightPosition.b = position.z;
    glLightfv(GL_LIGHT0 + slot, GL_POSITION, lightPosition.data());
}
