#include <cmath>

#include "Models.h"
#include "math/Scalar.h"

namespace {

const int TEXTURE_SIZE = 256;
UvRect hullPanel() { return atlasRegion(0, 0, 128, 128, TEXTURE_SIZE, TEXTURE_SIZE); }
UvRect visorPanel() { return atlasRegion(128, 0, 256, 128, TEXTURE_SIZE, TEXTURE_SIZE); }
UvRect skirtPanel() { return atlasRegion(0, 128, 128, 256, TEXTURE_SIZE, TEXTURE_SIZE); }
UvRect steelPanel() { return atlasRegion(128, 128, 256, 256, TEXTURE_SIZE, TEXTURE_SIZE); }

Canvas paintRobotTexture() {
    Canvas c(TEXTURE_SIZE, TEXTURE_SIZE, Rgb{96, 98, 110});
    // Hull: gunmetal plates, red seams, bolts.
    c.verticalGradient(0, 0, 128, 128, Rgb{120, 122, 136}, Rgb{78, 80, 92});
    for (int x = 0; x < 128; x += 32) c.fillRect(x, 0, x + 4, 128, Rgb{190, 30, 24});
    for (int y = 20; y < 128; y += 36)
        for (int x = 16; x < 128; x += 32) c.fillCircle(x + 2.0f, y, 2.5f, Rgb{170, 172, 184});
    c.fillRect(0, 58, 128, 66, Rgb{50, 50, 58});
    // Visor: a burning red slit on black glass.
    c.fillRect(128, 0, 256, 128, Rgb{24, 8, 10});
    c.fillRect(128, 40, 256, 88, Rgb{190, 20, 16});
    c.fillRect(128, 52, 256, 76, Rgb{255, 70, 30});
    c.fillRect(128, 60, 256, 68, Rgb{255, 210, 120});
    // Skirt: dark bronze ribs.
    c.fillRect(0, 128, 128, 256, Rgb{120, 86, 52});
    for (int x = 0; x < 128; x += 16) c.fillRect(x, 128, x + 5, 256, Rgb{70, 48, 30});
    c.fillRect(0, 240, 128, 256, Rgb{200, 40, 30});
    // Steel: polished arms and dome with a soft highlight.
    c.verticalGradient(128, 128, 256, 256, Rgb{200, 204, 214}, Rgb{120, 124, 136});
    c.fillRect(128, 150, 256, 158, Rgb{236, 238, 245});
    c.addNoise(0, 0, TEXTURE_SIZE, TEXTURE_SIZE, 5, 71);
    return c;
}

void addCannonArm(Mesh& m, float x) {
    m.addBlock(x, 0.0f, -0.05f, 0.5f, 0.14f, 0.16f, 0.16f, 0.18f, hullPanel());  // shoulder drop
    std::uint32_t first = static_cast<std::uint32_t>(m.vertices.size());
    m.addRevolution({{0.12f, 0}, {0.1f, 0.7f}, {0.15f, 0.72f}, {0.15f, 0.86f}}, 12, steelPanel(), true);
    m.transformFrom(first, Rot3::aboutX(-PI / 2), V3{x, 0.2f, -0.1f});  // pointing forward (-z)
}

void addClawArm(Mesh& m, float x) {
    m.addBlock(x, 0.0f, -0.05f, 0.5f, 0.14f, 0.16f, 0.16f, 0.18f, hullPanel());
    m.addBox(V3{x - 0.1f, 0.08f, -0.75f}, V3{x + 0.1f, 0.28f, -0.1f}, steelPanel());
    for (float side : {-1.0f, 1.0f})  // two prongs, spread
        m.addBox(V3{x + side * 0.09f - 0.035f, 0.1f, -1.02f}, V3{x + side * 0.09f + 0.035f, 0.26f, -0.72f},
                 skirtPanel());
}

void addHorn(Mesh& m, float side) {
    std::uint32_t first = static_cast<std::uint32_t>(m.vertices.size());
    m.addRevolution({{0.06f, 0}, {0.035f, 0.16f}, {0.0f, 0.3f}}, 8, skirtPanel(), true);
    m.transformFrom(first, Rot3::aboutZ(-side * 0.45f), V3{side * 0.24f, 1.22f, 0});
}

}  // namespace

BuiltModel buildRobot() {
    BuiltModel model;
    model.fileName = "zorbak.a3f";
    model.format = FORMAT_POSITION_NORMAL_TEXCOORDS;
    Mesh& m = model.mesh;
    // A hovering octagonal skirt, a barrel torso, a wide collar.
    m.addRevolution({{0.9f, -1.5f}, {0.86f, -1.36f}, {0.64f, -0.76f}}, 8, skirtPanel(), true);
    m.addRevolution({{0.56f, -0.76f}, {0.62f, -0.2f}, {0.54f, 0.36f}}, 16, hullPanel(), true);
    m.addBlock(0, 0, 0.34f, 0.62f, 0.74f, 0.36f, 0.62f, 0.3f, hullPanel());
    for (float side : {-1.0f, 1.0f})  // shoulder spikes
        m.addBlock(side * 0.5f, 0, 0.62f, 0.86f, 0.1f, 0.1f, 0.012f, 0.012f, skirtPanel());
    addCannonArm(m, 0.86f);
    addClawArm(m, -0.86f);
    // Neck and domed head with a glowing visor across its front.
    m.addRevolution({{0.2f, 0.62f}, {0.2f, 0.8f}}, 12, steelPanel(), false);
    std::vector<RingPoint> dome{{0.44f, 0.78f}, {0.47f, 0.96f}, {0.44f, 1.1f}, {0.36f, 1.22f},
                                {0.22f, 1.31f}, {0.0f, 1.35f}};
    m.addRevolution(dome, 16, steelPanel(), true);
    m.addRevolutionArc({{0.485f, 0.9f}, {0.475f, 1.06f}}, 10, visorPanel(), PI / 2 - 1.1f, PI / 2 + 1.1f);
    for (float side : {-1.0f, 1.0f}) addHorn(m, side);
    model.material.name = "zorbak";
    model.material.shininess = 60;
    model.material.specular[0] = model.material.specular[1] = model.material.specular[2] = 0.6f;
    model.material.textureFile = "zorbak.jpg";
    model.texture = paintRobotTexture();
    return model;
}
