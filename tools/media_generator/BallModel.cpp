#include <cmath>

#include "Models.h"
#include "math/Scalar.h"

namespace {

const float HALF_LENGTH = 0.35f;
const float RADIUS = 0.215f;

// The file carries no texture coordinates: the reader lays the picture over the
// ball from above, u across x and v along the ball's length (z). So the picture
// is the ball seen from above: laces in the middle, a white band near each end.
Canvas paintBallTexture() {
    const int size = 128;
    Canvas c(size, size, Rgb{128, 62, 28});
    c.addNoise(0, 0, size, size, 10, 81);
    for (int end = 0; end < 2; ++end) {
        int y = end == 0 ? 22 : 96;
        c.fillRect(0, y, size, y + 9, Rgb{246, 242, 232});
    }
    c.fillRect(58, 36, 70, 92, Rgb{246, 242, 232});  // the seam under the laces
    for (int k = 0; k < 8; ++k) c.fillRect(48, 39 + k * 7, 80, 43 + k * 7, Rgb{250, 250, 246});
    return c;
}

void addLaces(Mesh& m) {
    const UvRect any{0, 0, 1, 1};  // replaced by the reader's own coordinates
    m.addBox(V3{-0.018f, RADIUS - 0.02f, -0.11f}, V3{0.018f, RADIUS + 0.016f, 0.11f}, any);
    for (int k = 0; k < 6; ++k) {
        float z = -0.09f + k * 0.036f;
        m.addBox(V3{-0.05f, RADIUS - 0.02f, z - 0.007f}, V3{0.05f, RADIUS + 0.022f, z + 0.007f}, any);
    }
}

}  // namespace

BuiltModel buildBall() {
    BuiltModel model;
    model.fileName = "football.a3f";
    model.format = FORMAT_POSITION_NORMAL;
    Mesh& m = model.mesh;
    // A prolate spheroid drawn to points at the tips, built along y and laid along z.
    std::vector<RingPoint> profile;
    const int steps = 16;
    for (int i = 0; i <= steps; ++i) {
        float y = -HALF_LENGTH + 2 * HALF_LENGTH * i / steps;
        float t = y / HALF_LENGTH;
        profile.push_back(RingPoint{RADIUS * std::pow(std::fmax(0.0f, 1 - t * t), 0.7f), y});
    }
    m.addRevolution(profile, 20, UvRect{}, false);
    m.transformFrom(0, Rot3::aboutX(PI / 2), V3{});
    addLaces(m);
    model.material.name = "football";
    model.material.shininess = 24;
    model.material.textureFile = "football.jpg";
    model.texture = paintBallTexture();
    return model;
}
