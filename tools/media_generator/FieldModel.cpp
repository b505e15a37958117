#include <cmath>

#include "Models.h"

namespace {

const float WALL_X = 30.0f;       // the side walls stand 5 beyond the sidelines
const float FAR_WALL_Z = 56.0f;   // and 6 beyond the far end line
const float NEAR_EDGE_Z = -62.0f; // the ground reaches behind the first camera position
const float WALL_HEIGHT = 1.6f;
const float STAND_TOP = 16.0f;
const float STAND_DEPTH = 20.0f;
const float SKY_RADIUS = 170.0f;

UvRect region(const AtlasBox& b) { return atlasRegion(b.x0, b.y0, b.x1, b.y1, FIELD_ATLAS_SIZE, FIELD_ATLAS_SIZE); }

void addPlayingSurface(Mesh& m) {
    // Many small quads, so that the positional light shades the grass smoothly.
    // Each quad starts at its near corner on the +x side, which is the left of the
    // picture as the camera sees it from behind the dog.
    const float s = 1.0f / FIELD_ATLAS_SIZE;
    for (float z = -50; z < 50; z += 5)
        for (float x = -25; x < 25; x += 5)
            m.addQuad(V3{x + 5, 0, z}, V3{x, 0, z}, V3{x, 0, z + 5}, V3{x + 5, 0, z + 5},
                      UvRect{fieldAtlasX(x + 5) * s, fieldAtlasY(z + 5) * s, fieldAtlasX(x) * s, fieldAtlasY(z) * s});
}

void addGroundPatch(Mesh& m, float x0, float x1, float z0, float z1) {
    const float step = 8.0f;
    for (float z = z0; z < z1 - 1e-3f; z += step)
        for (float x = x0; x < x1 - 1e-3f; x += step) {
            float xe = std::fmin(x + step, x1), ze = std::fmin(z + step, z1);
            m.addQuad(V3{x, 0, z}, V3{x, 0, ze}, V3{xe, 0, ze}, V3{xe, 0, z}, region(ATLAS_APRON));
        }
}

void addApron(Mesh& m) {
    addGroundPatch(m, -WALL_X, -25, NEAR_EDGE_Z, FAR_WALL_Z);
    addGroundPatch(m, 25, WALL_X, NEAR_EDGE_Z, FAR_WALL_Z);
    addGroundPatch(m, -25, 25, 50, FAR_WALL_Z);
    addGroundPatch(m, -25, 25, NEAR_EDGE_Z, -50);
}

// A strip from a to b (on the ground line of a wall or stand), split into pieces
// that each show the whole picture; `rise` goes from the ground line to the top.
void addStrip(Mesh& m, V3 a, V3 b, V3 rise, int pieces, UvRect uv) {
    for (int i = 0; i < pieces; ++i) {
        V3 p = a + (b - a) * (static_cast<float>(i) / pieces);
        V3 q = a + (b - a) * (static_cast<float>(i + 1) / pieces);
        m.addQuad(p, q, q + rise, p + rise, uv);
    }
}

void addWallsAndStands(Mesh& m) {
    UvRect boards = region(ATLAS_BOARDS), crowd = region(ATLAS_CROWD), lights = region(ATLAS_LIGHTS);
    V3 up{0, WALL_HEIGHT, 0};
    float standZ = FAR_WALL_Z + STAND_DEPTH;
    float standX = WALL_X + STAND_DEPTH;
    // Walls face the field: each strip runs left to right as seen from the field.
    addStrip(m, V3{WALL_X, 0, NEAR_EDGE_Z}, V3{WALL_X, 0, FAR_WALL_Z}, up, 15, boards);
    addStrip(m, V3{-WALL_X, 0, FAR_WALL_Z}, V3{-WALL_X, 0, NEAR_EDGE_Z}, up, 15, boards);
    addStrip(m, V3{WALL_X, 0, FAR_WALL_Z}, V3{-WALL_X, 0, FAR_WALL_Z}, up, 8, boards);
    // Stands rise from the wall tops away from the field.
    V3 sideRise{STAND_DEPTH, STAND_TOP - WALL_HEIGHT, 0};
    addStrip(m, V3{WALL_X, WALL_HEIGHT, NEAR_EDGE_Z}, V3{WALL_X, WALL_HEIGHT, standZ}, sideRise, 8, crowd);
    addStrip(m, V3{-WALL_X, WALL_HEIGHT, standZ}, V3{-WALL_X, WALL_HEIGHT, NEAR_EDGE_Z}, V3{-STAND_DEPTH, STAND_TOP - WALL_HEIGHT, 0}, 8, crowd);
    addStrip(m, V3{standX, WALL_HEIGHT, FAR_WALL_Z}, V3{-standX, WALL_HEIGHT, FAR_WALL_Z},
             V3{0, STAND_TOP - WALL_HEIGHT, STAND_DEPTH}, 8, crowd);
    // A lit rim along the top of the stands.
    V3 rim{0, 3.0f, 0};
    addStrip(m, V3{standX, STAND_TOP, NEAR_EDGE_Z}, V3{standX, STAND_TOP, standZ}, rim, 8, lights);
    addStrip(m, V3{-standX, STAND_TOP, standZ}, V3{-standX, STAND_TOP, NEAR_EDGE_Z}, rim, 8, lights);
    addStrip(m, V3{standX, STAND_TOP, standZ}, V3{-standX, STAND_TOP, standZ}, rim, 8, lights);
}

void addSkyPanel(Mesh& m, int k, int panels) {
    const float pi = 3.14159265f;
    float a0 = 2 * pi * (k - 0.5f) / panels, a1 = 2 * pi * (k + 0.5f) / panels;
    // Angle 0 is +x, a quarter turn is +z: seen from inside, a0 lies to the left of a1.
    V3 p0{SKY_RADIUS * std::cos(a0), -8, SKY_RADIUS * std::sin(a0)};
    V3 p1{SKY_RADIUS * std::cos(a1), -8, SKY_RADIUS * std::sin(a1)};
    V3 rise{0, 118, 0};
    m.addQuad(p0, p1, p1 + rise, p0 + rise, region(ATLAS_SKY));
}

void addSky(Mesh& m) {
    // The panel straight ahead (facing -z) is added last: the uprights, drawn right
    // after the field and without normals of their own, are lit with this normal.
    const int panels = 24;
    for (int k = 0; k < panels; ++k)
        if (k != panels / 4) addSkyPanel(m, k, panels);
    addSkyPanel(m, panels / 4, panels);
}

}  // namespace

BuiltModel buildField() {
    BuiltModel model;
    model.fileName = "field.a3f";
    model.format = FORMAT_POSITION_NORMAL_TEXCOORDS;
    addPlayingSurface(model.mesh);
    addApron(model.mesh);
    addWallsAndStands(model.mesh);
    addSky(model.mesh);
    model.material.name = "field";
    model.material.shininess = 4;
    model.material.specular[0] = model.material.specular[1] = model.material.specular[2] = 0.05f;
    model.material.textureFile = "field.jpg";
    model.texture = paintFieldAtlas();
    return model;
}
