#pragma once

#include <string>

#include "Canvas.h"
#include "Mesh.h"

// One model file and its texture, as the generator writes them.
struct BuiltModel {
    std::string fileName;
    Mesh mesh;
    VertexFormat format = FORMAT_POSITION_NORMAL_TEXCOORDS;
    MaterialSpec material;
    Canvas texture{1, 1};
    bool textureAsBmp = false;
};

BuiltModel buildField();
BuiltModel buildUprights();
BuiltModel buildDog();
BuiltModel buildRobot();
BuiltModel buildBall();

// The field atlas: a top view of the playing field on the left half, the
// surroundings' pictures on the right half.
constexpr int FIELD_ATLAS_SIZE = 1024;
Canvas paintFieldAtlas();
// Where a point of the field surface lies in the atlas (pixels).
float fieldAtlasX(float worldX);
float fieldAtlasY(float worldZ);
// Pixel rectangles of the surroundings in the atlas: x0, y0, x1, y1.
struct AtlasBox {
    int x0, y0, x1, y1;
};
constexpr AtlasBox ATLAS_SKY{512, 0, 1024, 256};
constexpr AtlasBox ATLAS_CROWD{512, 256, 1024, 512};
constexpr AtlasBox ATLAS_BOARDS{512, 512, 1024, 640};
constexpr AtlasBox ATLAS_APRON{512, 640, 1024, 768};
constexpr AtlasBox ATLAS_LIGHTS{512, 768, 1024, 896};
