#include <cmath>

#include "Models.h"
#include "math/Scalar.h"

namespace {

// The dog's texture: four 64 x 64 pictures.
const int TEXTURE_SIZE = 128;
UvRect bodyPanel() { return atlasRegion(0, 0, 64, 64, TEXTURE_SIZE, TEXTURE_SIZE); }
UvRect facePanel() { return atlasRegion(64, 0, 128, 64, TEXTURE_SIZE, TEXTURE_SIZE); }
UvRect jointPanel() { return atlasRegion(0, 64, 64, 128, TEXTURE_SIZE, TEXTURE_SIZE); }
UvRect accentPanel() { return atlasRegion(64, 64, 128, 128, TEXTURE_SIZE, TEXTURE_SIZE); }

const Rgb SILVER{206, 222, 236};
const Rgb BLUE{40, 96, 210};
const Rgb ORANGE{250, 140, 24};

Canvas paintDogTexture() {
    Canvas c(TEXTURE_SIZE, TEXTURE_SIZE, SILVER);
    // Body: silver plates with a blue racing stripe and rivets.
    c.fillRect(0, 0, 64, 3, Rgb{150, 164, 180});
    c.fillRect(0, 61, 64, 64, Rgb{150, 164, 180});
    c.fillRect(24, 0, 40, 64, BLUE);
    for (int i = 0; i < 4; ++i) {
        c.fillCircle(8, 10 + i * 15.0f, 1.6f, Rgb{120, 130, 150});
        c.fillCircle(56, 10 + i * 15.0f, 1.6f, Rgb{120, 130, 150});
    }
    // Face: two glowing eyes over a dark grille.
    c.fillRect(64, 0, 128, 64, SILVER);
    c.fillRect(70, 14, 122, 36, Rgb{30, 34, 44});
    c.fillCircle(82, 25, 7, Rgb{60, 230, 250});
    c.fillCircle(110, 25, 7, Rgb{60, 230, 250});
    c.fillCircle(82, 25, 3, Rgb{230, 255, 255});
    c.fillCircle(110, 25, 3, Rgb{230, 255, 255});
    for (int x = 74; x < 120; x += 6) c.fillRect(x, 44, x + 3, 56, Rgb{60, 66, 80});
    // Joints and legs: dark metal with bands.
    c.fillRect(0, 64, 64, 128, Rgb{70, 78, 92});
    for (int y = 70; y < 128; y += 12) c.fillRect(0, y, 64, y + 3, Rgb{110, 120, 136});
    // Accents: orange with a light edge.
    c.fillRect(64, 64, 128, 128, ORANGE);
    c.fillRect(64, 64, 128, 70, Rgb{255, 200, 120});
    c.addNoise(0, 0, TEXTURE_SIZE, TEXTURE_SIZE, 4, 61);
    return c;
}

void addLeg(Mesh& m, float x, float z) {
    m.addBlock(x, z, -0.53f, -0.10f, 0.065f, 0.065f, 0.075f, 0.075f, jointPanel());
    m.addBlock(x, z - 0.03f, -0.6f, -0.52f, 0.085f, 0.11f, 0.08f, 0.09f, accentPanel());  // paw
}

void addTail(Mesh& m) {
    std::uint32_t first = static_cast<std::uint32_t>(m.vertices.size());
    m.addRevolution({{0.035f, 0}, {0.03f, 0.36f}}, 8, jointPanel(), true);
    m.transformFrom(first, Rot3::aboutX(0.75f), V3{0, 0.12f, 0.4f});
    first = static_cast<std::uint32_t>(m.vertices.size());
    std::vector<RingPoint> ball;
    for (int i = 0; i <= 6; ++i) {
        float a = PI * i / 6;
        ball.push_back(RingPoint{0.07f * std::sin(a), -0.07f * std::cos(a)});
    }
    m.addRevolution(ball, 10, accentPanel(), false);
    m.transformFrom(first, Rot3{}, V3{0, 0.12f + 0.36f * std::cos(0.75f), 0.4f + 0.36f * std::sin(0.75f)});
}

}  // namespace

BuiltModel buildDog() {
    BuiltModel model;
    model.fileName = "zq.a3f";
    model.format = FORMAT_POSITION_NORMAL_TEXCOORDS;
    Mesh& m = model.mesh;
    for (float x : {-0.19f, 0.19f})
        for (float z : {-0.3f, 0.3f}) addLeg(m, x, z);
    m.addBlock(0, 0, -0.16f, 0.2f, 0.27f, 0.44f, 0.23f, 0.4f, bodyPanel());            // body
    m.addBlock(0, -0.36f, 0.12f, 0.3f, 0.13f, 0.1f, 0.12f, 0.09f, jointPanel());     // neck
    UvRect head = bodyPanel();
    UvRect headFaces[6] = {facePanel(), head, head, head, head, head};
    m.addBlock(0, -0.54f, 0.18f, 0.46f, 0.21f, 0.17f, 0.19f, 0.15f, head, 0.0f, headFaces);
    UvRect nose = accentPanel();
    UvRect snoutFaces[6] = {jointPanel(), head, head, head, head, head};
    m.addBlock(0, -0.79f, 0.19f, 0.34f, 0.12f, 0.09f, 0.11f, 0.08f, nose, 0.0f, snoutFaces);  // snout
    for (float x : {-0.13f, 0.13f})  // pointed ears, leaning back
        m.addBlock(x, -0.5f, 0.46f, 0.6f, 0.07f, 0.05f, 0.015f, 0.015f, accentPanel(), 0.04f);
    m.addBlock(0, 0.33f, 0.2f, 0.25f, 0.1f, 0.06f, 0.1f, 0.06f, accentPanel());       // a plate on the back
    addTail(m);
    model.material.name = "zq";
    model.material.shininess = 40;
    model.material.textureFile = "zq.jpg";
    model.texture = paintDogTexture();
    return model;
}
