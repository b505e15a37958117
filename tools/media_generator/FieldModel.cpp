#include <cmath>
#include <vector>

#include "Models.h"

namespace {

const float WALL_HEIGHT = 1.6f;
const float STAND_TOP = 16.0f;
const float STAND_DEPTH = 20.0f;

UvRect region(const AtlasBox& b) { return atlasRegion(b.x0, b.y0, b.x1, b.y1, FIELD_ATLAS_SIZE, FIELD_ATLAS_SIZE); }

// Cuts of the ground grid along one axis: every 5 units over the area of play,
// its edges, the grass's edges, and on out to the end of the ground in steps of
// at most 5.
std::vector<float> groundCuts(float playHalf, float grassHalf, float nearEnd, float farEnd) {
    std::vector<float> cuts;
    for (float c = nearEnd; c < -grassHalf - 1e-3f; c = std::fmin(c + 5, -grassHalf)) cuts.push_back(c);
    cuts.push_back(-grassHalf);
    for (float c = -playHalf; c <= playHalf + 1e-3f; c += 5) cuts.push_back(c);
    for (float c = grassHalf; c < farEnd - 1e-3f; c = std::fmin(c + 5, farEnd)) cuts.push_back(c);
    cuts.push_back(farEnd);
    return cuts;
}

// The painted grass and the apron round it, out beyond the foot of the walls, as
// one grid: neighbouring quads share their corners, so no seam between them can
// open a crack, and the walls stand inside the ground rather than on its edge.
// Many small quads, so that the positional light shades the ground smoothly.
void addGround(Mesh& m) {
    const float s = 1.0f / FIELD_ATLAS_SIZE, beyondWalls = 1.0f;
    UvRect apron = region(ATLAS_APRON);
    std::vector<float> xs = groundCuts(FIELD_HALF_WIDTH, GRASS_HALF_X, -WALL_X - beyondWalls, WALL_X + beyondWalls);
    std::vector<float> zs = groundCuts(FIELD_HALF_LENGTH, GRASS_HALF_Z, NEAR_EDGE_Z, FAR_WALL_Z + beyondWalls);
    for (size_t j = 0; j + 1 < zs.size(); ++j)
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            float x0 = xs[i], x1 = xs[i + 1], z0 = zs[j], z1 = zs[j + 1];
            bool grass = x0 >= -GRASS_HALF_X && x1 <= GRASS_HALF_X && z0 >= -GRASS_HALF_Z && z1 <= GRASS_HALF_Z;
            // Each quad starts at its near corner on the +x side, which is the left
            // of the picture as the camera sees it from behind the dog.
            UvRect uv = grass ? UvRect{fieldAtlasX(x1) * s, fieldAtlasY(z1) * s, fieldAtlasX(x0) * s, fieldAtlasY(z0) * s}
                              : apron;
            m.addQuad(V3{x1, 0, z0}, V3{x0, 0, z0}, V3{x0, 0, z1}, V3{x1, 0, z1}, uv);
        }
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
    const std::uint32_t first = static_cast<std::uint32_t>(m.vertices.size());
    UvRect boards = region(ATLAS_BOARDS), lights = region(ATLAS_LIGHTS);
    UvRect sideCrowd = region(ATLAS_CROWD_SIDE), farCrowd = region(ATLAS_CROWD_FAR);
    V3 up{0, WALL_HEIGHT, 0};
    float standZ = FAR_WALL_Z + STAND_DEPTH;
    float standX = WALL_X + STAND_DEPTH;
    // Walls face the field: each strip runs left to right as seen from the field.
    addStrip(m, V3{WALL_X, 0, NEAR_EDGE_Z}, V3{WALL_X, 0, FAR_WALL_Z}, up, 15, boards);
    addStrip(m, V3{-WALL_X, 0, FAR_WALL_Z}, V3{-WALL_X, 0, NEAR_EDGE_Z}, up, 15, boards);
    addStrip(m, V3{WALL_X, 0, FAR_WALL_Z}, V3{-WALL_X, 0, FAR_WALL_Z}, up, 8, boards);
    // Stands rise from the wall tops away from the field, their crowds laid out
    // at about five texels a unit: two long pieces a side, one across the end.
    V3 sideRise{STAND_DEPTH, STAND_TOP - WALL_HEIGHT, 0};
    addStrip(m, V3{WALL_X, WALL_HEIGHT, NEAR_EDGE_Z}, V3{WALL_X, WALL_HEIGHT, standZ}, sideRise, 2, sideCrowd);
    addStrip(m, V3{-WALL_X, WALL_HEIGHT, standZ}, V3{-WALL_X, WALL_HEIGHT, NEAR_EDGE_Z},
             V3{-STAND_DEPTH, STAND_TOP - WALL_HEIGHT, 0}, 2, sideCrowd);
    addStrip(m, V3{standX, WALL_HEIGHT, FAR_WALL_Z}, V3{-standX, WALL_HEIGHT, FAR_WALL_Z},
             V3{0, STAND_TOP - WALL_HEIGHT, STAND_DEPTH}, 1, farCrowd);
    // A lit rim along the top of the stands.
    V3 rim{0, 3.0f, 0};
    addStrip(m, V3{standX, STAND_TOP, NEAR_EDGE_Z}, V3{standX, STAND_TOP, standZ}, rim, 8, lights);
    addStrip(m, V3{-standX, STAND_TOP, standZ}, V3{-standX, STAND_TOP, NEAR_EDGE_Z}, rim, 8, lights);
    addStrip(m, V3{standX, STAND_TOP, standZ}, V3{-standX, STAND_TOP, standZ}, rim, 8, lights);
    faceTheLight(m, first);
}

}  // namespace

BuiltModel buildField(HiddenParts hidden) {
    BuiltModel model;
    model.fileName = "field.a3f";
    model.format = FORMAT_POSITION_NORMAL_TEXCOORDS;
    addGround(model.mesh);
    addWallsAndStands(model.mesh);
    addOuterGround(model.mesh, hidden);
    addSky(model.mesh);  // last: see addSky
    model.material.name = "field";
    model.material.shininess = 4;
    model.material.specular[0] = model.material.specular[1] = model.material.specular[2] = 0.05f;
    model.material.textureFile = "field.jpg";
    model.texture = paintFieldAtlas();
    return model;
}
