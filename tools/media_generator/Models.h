#pragma once

#include <string>

#include "Canvas.h"
#include "Mesh.h"
#include "core/Field.h"

// One model file and its texture, as the generator writes them.
struct BuiltModel {
    std::string fileName;
    Mesh mesh;
    VertexFormat format = FORMAT_POSITION_NORMAL_TEXCOORDS;
    MaterialSpec material;
    Canvas texture{1, 1};
    bool textureAsBmp = false;
};

// The model file as make_media writes it.
inline std::string a3fText(const BuiltModel& model) {
    return formatA3f(model.mesh, model.format, model.material,
                     "made by make_media, " + std::to_string(model.mesh.triangleCount()) + " triangles");
}

// Whether the field keeps the parts of its surroundings that no place the camera
// can reach ever shows: the game ships them trimmed, since the software renderer
// spends as much on a hidden fragment as on a seen one until the depth test.
enum class HiddenParts { TRIMMED, KEPT };
BuiltModel buildField(HiddenParts hidden = HiddenParts::TRIMMED);
BuiltModel buildUprights();
BuiltModel buildDog();
BuiltModel buildRobot();
BuiltModel buildBall();

// The field atlas: a top view of the playing field on the left half, the
// surroundings' pictures on the right half.
constexpr int FIELD_ATLAS_SIZE = 1024;
// The dog plays inside the field (core/Field.h); the boundary lines lie just
// outside it, and the painted grass reaches a little further, so that a dog at
// the edge of play stands on the line or the grass, never on the apron beyond.
constexpr float BOUNDARY_LINE_WIDTH = 0.8f;
constexpr float GRASS_HALF_X = 27.0f;
constexpr float GRASS_HALF_Z = 52.0f;
// The stadium's ground ends at its walls, 5 beyond the sidelines and 6 beyond the
// far end line, and behind the first camera position at the near end.
constexpr float WALL_X = 30.0f;
constexpr float FAR_WALL_Z = 56.0f;
constexpr float NEAR_EDGE_Z = -62.0f;
Canvas paintFieldAtlas();
// Where a point of the field surface lies in the atlas (pixels).
float fieldAtlasX(float worldX);
float fieldAtlasY(float worldZ);
// Pixel rectangles of the surroundings in the atlas: x0, y0, x1, y1.
struct AtlasBox {
    int x0, y0, x1, y1;
};
constexpr AtlasBox ATLAS_SKY{512, 0, 1024, 256};
constexpr AtlasBox ATLAS_CROWD{512, 256, 1024, 512};  // the two crowds below
constexpr AtlasBox ATLAS_CROWD_SIDE{512, 256, 1024, 384};
constexpr AtlasBox ATLAS_CROWD_FAR{512, 384, 1024, 512};
constexpr AtlasBox ATLAS_BOARDS{512, 512, 1024, 640};
constexpr AtlasBox ATLAS_APRON{512, 640, 1024, 768};
constexpr AtlasBox ATLAS_LIGHTS{512, 768, 1024, 896};
constexpr AtlasBox ATLAS_NIGHT{512, 896, 1024, 1024};

// The surroundings of the field are scenery under the stadium's floodlights, not
// shapes for the game's one light to model: from vertex first on, each normal is
// turned to face that light, as far as its face's own side allows, so that no
// side of the stadium falls dark when the Lights option is on.
void faceTheLight(Mesh& m, std::uint32_t first);
// The stadium's sky: a cylinder round the field and a dome over it (FieldSky.cpp).
void addSky(Mesh& m);
// Ground outside the stadium, out to the sky, for views past the open near end.
void addOuterGround(Mesh& m, HiddenParts hidden);

