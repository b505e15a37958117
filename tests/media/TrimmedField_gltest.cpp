// The shipped field is the generator's, trimmed of ground that no place the
// camera can reach ever shows. From a grid of camera places, in all six directions
// of a cube (every way the camera turns, every window shape), the trimmed field is
// drawn as the game does (culled, depth tested), then each trimmed triangle over
// it: no pixel of one may show, not even through the cracks along the walls' tops,
// nor tie with what is there. The camera stands at height 10 over the dog's place:
// x within +-25 of the middle, z from -60 (the dog on its own end line) to 27.5 (at
// the far one); the grid reaches 3 units further each way, for a long frame that
// carries the dog past the edge of play before the next step puts it back.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "math/Matrix4.h"
#include "media_generator/Models.h"
#include "platform/OpenGl.h"
#include "support/GlTestWindow.h"

namespace {

constexpr int SIDE = 256;  // pixels of each cube face

using Triangle = std::array<std::array<float, 3>, 3>;  // three corners, x y z each

std::vector<Triangle> trianglesOf(HiddenParts hidden) {
    const Mesh mesh = buildField(hidden).mesh;
    std::vector<Triangle> triangles(mesh.indices.size() / 3);
    for (std::size_t i = 0; i < triangles.size() * 3; ++i) {
        const V3 p = mesh.vertices[mesh.indices[i]].position;
        triangles[i / 3][i % 3] = {p.x, p.y, p.z};
    }
    return triangles;
}

void drawTriangles(const std::vector<Triangle>& triangles) {
    glBegin(GL_TRIANGLES);
    for (const Triangle& t : triangles)
        for (const auto& corner : t) glVertex3fv(corner.data());
    glEnd();
}

TEST(TrimmedField, NoTriangleTrimmedFromTheShippedFieldShowsFromAnyPlaceOfTheCamera) {
    std::ifstream in(std::filesystem::path(ZF_SOURCE_DIR) / "media" / "field.a3f", std::ios::binary);
    const std::string shipped((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(shipped == a3fText(buildField(HiddenParts::TRIMMED))) << "remake the media (README)";
    const std::vector<Triangle> kept = trianglesOf(HiddenParts::TRIMMED);
    const std::set<Triangle> keptSet(kept.begin(), kept.end());
    std::vector<Triangle> trimmed;
    for (const Triangle& t : trianglesOf(HiddenParts::KEPT))
        if (keptSet.count(t) == 0) trimmed.push_back(t);
    ASSERT_FALSE(trimmed.empty());

    GlTestWindow window(SIDE, SIDE);
    ASSERT_TRUE(window.ok());
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);  // counter-clockwise fronts, as the game draws
    // The clear colour and the drawing colour stay OpenGL's first ones, black and white.
    glMatrixMode(GL_PROJECTION);
    glFrustum(-1, 1, -1, 1, 1, 500);  // the game's near and far planes, a square quarter turn wide
    glMatrixMode(GL_MODELVIEW);
    const Vec3 cube[][2] = {{{1, 0, 0}, {0, 1, 0}},  {{-1, 0, 0}, {0, 1, 0}}, {{0, 0, 1}, {0, 1, 0}},
                            {{0, 0, -1}, {0, 1, 0}}, {{0, 1, 0}, {0, 0, 1}},  {{0, -1, 0}, {0, 0, 1}}};
    for (float x = -28.0f; x <= 28.0f; x += 2.0f) {
        for (float z = -62.0f; z <= 30.0f; z += 2.0f) {
            for (const auto& [forward, up] : cube) {
                Matrix4 view;
                view.setView(Vec3(x, 10.0f, z), forward, forward.cross(up), up);
                glLoadMatrixf(view.data());
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
                glDepthFunc(GL_LESS);
                drawTriangles(kept);
                glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
                glDepthFunc(GL_LEQUAL);
                drawTriangles(trimmed);
                int shown = 0;
                const std::vector<std::uint8_t> rgba = window.readPixels();
                for (std::size_t p = 0; p < rgba.size(); p += 4) shown += rgba[p] != 0 ? 1 : 0;
                ASSERT_EQ(shown, 0) << "from x " << x << ", z " << z << " looking along (" << forward.x << ", "
                                    << forward.y << ", " << forward.z << ")";
            }
        }
    }
}

}  // namespace
