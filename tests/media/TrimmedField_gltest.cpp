// The shipped field is the generator's, trimmed of ground that no place the
// camera can reach ever shows. The proof draws, from a grid of camera places over
// all of them and in all six directions of a cube (so every way the camera can
// turn and every window shape), the trimmed field as the game does (culled,
// depth tested), then each trimmed triangle over it: no pixel of one may show,
// not even through the cracks along the walls' tops, nor tie with what is there.
//
// The camera stands at height 10 over the dog's place: x within +-25 of the
// middle, z from -60 (the dog on its own end line) to 27.5 (at the far one). The
// grid reaches 3 units further each way, for a long frame that carries the dog
// past the edge of play before the next step puts it back.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "media_generator/Models.h"
#include "platform/OpenGl.h"
#include "support/GlTestWindow.h"

namespace {

constexpr int SIDE = 256;  // pixels of each cube face
constexpr float EYE_HEIGHT = 10.0f;
constexpr float GRID_STEP = 2.0f;

using Triangle = std::array<V3, 3>;

std::vector<Triangle> trianglesOf(HiddenParts hidden) {
    const Mesh mesh = buildField(hidden).mesh;
    std::vector<Triangle> triangles;
    for (std::size_t i = 0; i + 2 < mesh.indices.size(); i += 3)
        triangles.push_back({mesh.vertices[mesh.indices[i]].position, mesh.vertices[mesh.indices[i + 1]].position,
                             mesh.vertices[mesh.indices[i + 2]].position});
    return triangles;
}

struct ByCorners {
    bool operator()(const Triangle& a, const Triangle& b) const {
        auto corners = [](const Triangle& t) {
            return std::make_tuple(t[0].x, t[0].y, t[0].z, t[1].x, t[1].y, t[1].z, t[2].x, t[2].y, t[2].z);
        };
        return corners(a) < corners(b);
    }
};

void drawTriangles(const std::vector<Triangle>& triangles) {
    glBegin(GL_TRIANGLES);
    for (const Triangle& t : triangles)
        for (const V3& p : t) glVertex3f(p.x, p.y, p.z);
    glEnd();
}

struct Face {
    V3 forward, up;
};
const Face CUBE[] = {{{1, 0, 0}, {0, 1, 0}},  {{-1, 0, 0}, {0, 1, 0}}, {{0, 0, 1}, {0, 1, 0}},
                     {{0, 0, -1}, {0, 1, 0}}, {{0, 1, 0}, {0, 0, 1}},  {{0, -1, 0}, {0, 0, 1}}};

// The game's near and far planes, a square quarter turn wide.
void look(V3 eye, const Face& face) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-1, 1, -1, 1, 1, 500);
    glMatrixMode(GL_MODELVIEW);
    const V3 side = normalized(cross(face.forward, face.up)), up = cross(side, face.forward);
    const float view[16] = {side.x, up.x, -face.forward.x, 0, side.y, up.y, -face.forward.y, 0,
                            side.z, up.z, -face.forward.z, 0, 0,      0,    0,                1};
    glLoadMatrixf(view);
    glTranslatef(-eye.x, -eye.y, -eye.z);
}

TEST(TrimmedField, TheShippedFieldIsTheGeneratorsTrimmedOne) {
    std::ifstream in(std::filesystem::path(ZF_SOURCE_DIR) / "media" / "field.a3f", std::ios::binary);
    const std::string shipped((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(shipped == a3fText(buildField(HiddenParts::TRIMMED))) << "remake the media (README)";
}

TEST(TrimmedField, NoTrimmedTriangleShowsFromAnyPlaceOfTheCamera) {
    const std::vector<Triangle> kept = trianglesOf(HiddenParts::TRIMMED);
    const std::set<Triangle, ByCorners> keptSet(kept.begin(), kept.end());
    std::vector<Triangle> trimmed;
    for (const Triangle& t : trianglesOf(HiddenParts::KEPT))
        if (keptSet.count(t) == 0) trimmed.push_back(t);
    ASSERT_FALSE(trimmed.empty());

    GlTestWindow window(SIDE, SIDE);
    ASSERT_TRUE(window.ok());
    glViewport(0, 0, SIDE, SIDE);
    glDisable(GL_DITHER);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);  // counter-clockwise fronts, as the game draws
    for (float x = -28.0f; x <= 28.0f; x += GRID_STEP) {
        for (float z = -62.0f; z <= 30.0f; z += GRID_STEP) {
            for (const Face& face : CUBE) {
                look(V3{x, EYE_HEIGHT, z}, face);
                glClearColor(0, 0, 0, 0);
                glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
                glDepthFunc(GL_LESS);
                drawTriangles(kept);
                glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
                glDepthFunc(GL_LEQUAL);
                glColor3f(1, 1, 1);
                drawTriangles(trimmed);
                int shown = 0;
                const std::vector<std::uint8_t> rgba = window.readPixels();
                for (std::size_t p = 0; p < rgba.size(); p += 4) shown += rgba[p] != 0 ? 1 : 0;
                ASSERT_EQ(shown, 0) << "from x " << x << ", z " << z << " looking along (" << face.forward.x
                                    << ", " << face.forward.y << ", " << face.forward.z << ")";
            }
        }
    }
}

}  // namespace
