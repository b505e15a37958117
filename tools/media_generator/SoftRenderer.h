#pragma once

#include <vector>

#include "Canvas.h"
#include "Mesh.h"

// One model placed in the world for the software view: the generator uses it to
// paint the splash scene and to preview the models without a window.
struct SceneItem {
    const Mesh* mesh = nullptr;
    const Canvas* texture = nullptr;  // null: untextured
    bool hasNormals = true;
    bool blackIsClear = false;        // a BLACK_MASK cut-out
    float diffuse[3] = {1, 1, 1};
    V3 position;
    float heading = 0.0f;             // rotation about y, as the game turns its models
};

struct SceneCamera {
    V3 eye{0, 10, -55.625f};
    V3 target{0, 0.6f, -35};
};

// Draws the items with a depth buffer, perspective-correct textures, the game's
// 45-degree projection and look-at, and (when lit) its light at (100, 100, -100).
class SoftRenderer {
public:
    SoftRenderer(int width, int height);
    void clear(Rgb colour);
    void draw(const SceneItem& item, const SceneCamera& camera, bool lit);
    const Canvas& image() const { return image_; }

private:
    struct ClipVertex {
        float x, y, z, w;
        float u, v;
        float r, g, b;
    };
    void rasterise(const ClipVertex* tri, const SceneItem& item);

    Canvas image_;
    std::vector<float> depth_;
};

// The texture coordinates the model reader makes for a file without them: u
// across the x extent, v across the larger of the y and z extents.
void generateBoxTexCoords(Mesh& mesh);
