#pragma once

class Engine;

// The OpenGL state the game starts with, set once the window's context is current:
// the clear colour, the viewport and perspective projection (left as the current
// matrix mode), depth test, culling, blending function, texturing and vertex
// arrays, the lights and the default material, and the initial camera.
void applyInitialGlState(Engine& engine, float nearPlane, float farPlane);

// The viewport and the perspective projection for the drawable area's size now,
// with the engine's planes: the vertical field of view stays, the horizontal one
// follows the aspect. A frame in progress gets its projection copy made again, so
// the rest of that frame draws at the new size.
void applyProjection(Engine& engine);
