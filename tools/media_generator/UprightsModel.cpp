#include <cmath>

#include "Models.h"
#include "math/Scalar.h"

namespace {

// Model coordinates: the game places the origin above the end line, so the
// ground is below it.
const float GROUND_Y = -UPRIGHTS_ORIGIN_HEIGHT;
const float CROSSBAR_Y = 2.2f;
const float UPRIGHT_TOP_Y = 10.2f;
const float UPRIGHT_X = GOAL_HALF_WIDTH;  // the posts' centres: the edges of the goal
const float POST_RADIUS = 0.18f;
const int TEXTURE_W = 128, TEXTURE_H = 64;

// Left half of the texture: yellow paint, lit from the camera's side, so that the
// posts look round even though this model carries no normals. Right half: a
// pennant on pure black, which the BLACK_MASK alpha rule cuts out.
UvRect paintRegion() { return atlasRegion(0, 0, 64, 64, TEXTURE_W, TEXTURE_H); }
UvRect pennantRegion() { return atlasRegion(64, 0, 128, 64, TEXTURE_W, TEXTURE_H); }

Canvas paintUprightsTexture() {
    Canvas c(TEXTURE_W, TEXTURE_H, Rgb{0, 0, 0});
    for (int x = 0; x < 64; ++x) {
        // u runs round a post from +x towards -z (the camera's side) and on.
        float angle = (x + 0.5f) / 64.0f * TWO_PI;
        float facing = std::cos(angle - 1.3f);
        float light = 0.62f + 0.38f * std::fmax(0.0f, facing);
        c.fillRect(x, 0, x + 1, 64, scaleRgb(Rgb{255, 232, 30}, light));
    }
    c.addNoise(0, 0, 64, 64, 4, 51);
    // Pennant: a red-orange triangle pointing away from the post (to the right).
    c.fillPolygon({68, 6, 124, 32, 68, 58}, Rgb{240, 70, 24});
    c.fillPolygon({70, 14, 108, 32, 70, 50}, Rgb{250, 150, 30});
    return c;
}

void addPost(Mesh& m, float radius, float yBottom, float yTop, V3 at) {
    std::uint32_t first = static_cast<std::uint32_t>(m.vertices.size());
    m.addRevolution({{radius, yBottom}, {radius, yTop}}, 12, paintRegion(), true);
    m.transformFrom(first, Rot3{}, at);
}

// A post lying along an axis: built upright and turned down.
void addBar(Mesh& m, float radius, float length, const Rot3& turn, V3 at) {
    std::uint32_t first = static_cast<std::uint32_t>(m.vertices.size());
    m.addRevolution({{radius, 0}, {radius, length}}, 12, paintRegion(), true);
    m.transformFrom(first, turn, at);
}

void addPennant(Mesh& m, float side) {
    float x0 = side * UPRIGHT_X, x1 = side * (UPRIGHT_X + 1.5f);
    float y0 = UPRIGHT_TOP_Y - 1.0f, y1 = UPRIGHT_TOP_Y - 0.1f;
    UvRect uv = pennantRegion();
    if (side > 0) std::swap(uv.u0, uv.u1);  // the pennant points away from its post on both sides
    // Seen from the field (looking +z), +x is on the left: start at the left corner.
    if (side > 0)
        m.addQuad(V3{x1, y0, 0}, V3{x0, y0, 0}, V3{x0, y1, 0}, V3{x1, y1, 0}, uv, true);
    else
        m.addQuad(V3{x0, y0, 0}, V3{x1, y0, 0}, V3{x1, y1, 0}, V3{x0, y1, 0}, uv, true);
}

}  // namespace

BuiltModel buildUprights() {
    BuiltModel model;
    model.fileName = "uprights.a3f";
    model.format = FORMAT_POSITION_TEXCOORDS;
    Mesh& m = model.mesh;
    const float baseZ = 1.2f;  // the base post stands behind the end line
    addPost(m, 0.32f, GROUND_Y, 0.4f, V3{0, 0, baseZ});  // padded foot
    addPost(m, 0.22f, 0.4f, CROSSBAR_Y, V3{0, 0, baseZ});
    addBar(m, 0.2f, baseZ, Rot3::aboutX(PI / 2), V3{0, CROSSBAR_Y, 0});  // the neck reaching forward
    addBar(m, POST_RADIUS, 2 * UPRIGHT_X, Rot3::aboutZ(PI / 2), V3{UPRIGHT_X, CROSSBAR_Y, 0});
    for (float side : {-1.0f, 1.0f}) {
        addPost(m, POST_RADIUS, CROSSBAR_Y - POST_RADIUS, UPRIGHT_TOP_Y, V3{side * UPRIGHT_X, 0, 0});
        addPennant(m, side);
    }
    model.material.name = "uprights";
    model.material.shininess = 30;
    model.material.textureFile = "uprights.bmp";
    model.material.alphaWord = "BLACK_MASK";
    model.texture = paintUprightsTexture();
    model.textureAsBmp = true;
    return model;
}
