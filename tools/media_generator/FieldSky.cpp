// The sky round the stadium and the ground outside it. Together with the field
// they close every view the camera can take: the camera stands inside, at most a
// few units above the ground, and whatever way it turns, a ray from it meets the
// ground, the cylinder or the dome, all well inside the far clipping plane (500).
#include <cmath>

#include "Models.h"
#include "game/Game.h"
#include "math/Scalar.h"

namespace {

const float SKY_RADIUS = 170.0f;
const float SKY_BOTTOM = -8.0f;
const float SKY_TOP = 110.0f;
// The dome rises this far above the cylinder's top edge, to its zenith.
const float DOME_HEIGHT = 70.0f;
const int SKY_PANELS = 24;
const int DOME_BANDS = 4;

UvRect region(const AtlasBox& b) { return atlasRegion(b.x0, b.y0, b.x1, b.y1, FIELD_ATLAS_SIZE, FIELD_ATLAS_SIZE); }

// Angle 0 is +x, a quarter turn is +z: seen from inside, a0 lies to the left of a1.
float panelStart(int k) { return 2 * PI * (k - 0.5f) / SKY_PANELS; }

// Behind the stands the lower part of a panel is never seen, but it stays: a
// panel cut there would be drawn from other corners, and its picture would move
// by rounding.
void addSkyPanel(Mesh& m, int k) {
    float a0 = panelStart(k), a1 = panelStart(k + 1);
    V3 p0{SKY_RADIUS * std::cos(a0), SKY_BOTTOM, SKY_RADIUS * std::sin(a0)};
    V3 p1{SKY_RADIUS * std::cos(a1), SKY_BOTTOM, SKY_RADIUS * std::sin(a1)};
    V3 rise{0, SKY_TOP - SKY_BOTTOM, 0};
    m.addQuad(p0, p1, p1 + rise, p0 + rise, region(ATLAS_SKY));
}

// A point of the dome: a quarter ellipse from the cylinder's top edge (band 0)
// to the zenith (band DOME_BANDS).
V3 domePoint(float angle, int band) {
    if (band == DOME_BANDS) return V3{0, SKY_TOP + DOME_HEIGHT, 0};  // one point for every slice
    float e = 0.5f * PI * band / DOME_BANDS;
    float r = SKY_RADIUS * std::cos(e);
    return V3{r * std::cos(angle), SKY_TOP + DOME_HEIGHT * std::sin(e), r * std::sin(angle)};
}

// The night over the stadium, the same deep blue as the top of the sky panels,
// with stars. The night picture is four square tiles; each band of each slice
// shows one of them whole, so that the stars stay round where the bands are
// about as high as they are wide, and neighbours do not repeat one another.
UvRect nightTile(int k, int band) {
    const AtlasBox& b = ATLAS_NIGHT;
    const int side = b.y1 - b.y0, tile = (k + band) % ((b.x1 - b.x0) / side);
    return atlasRegion(b.x0 + tile * side, b.y0, b.x0 + (tile + 1) * side, b.y1, FIELD_ATLAS_SIZE,
                       FIELD_ATLAS_SIZE);
}

void addDomeSlice(Mesh& m, int k) {
    float a0 = panelStart(k), a1 = panelStart(k + 1);
    for (int band = 0; band < DOME_BANDS; ++band) {
        UvRect night = nightTile(k, band);
        V3 p0 = domePoint(a0, band), p1 = domePoint(a1, band);
        V3 q0 = domePoint(a0, band + 1), q1 = domePoint(a1, band + 1);
        V3 inward = V3{0, SKY_TOP, 0} - (p0 + p1) * 0.5f;
        std::uint32_t a = m.addVertex(p0, inward, night.u0, night.v1);
        std::uint32_t b = m.addVertex(p1, inward, night.u1, night.v1);
        if (band + 1 == DOME_BANDS) {  // the top band meets in the zenith
            std::uint32_t top = m.addVertex(q1, inward, 0.5f * (night.u0 + night.u1), night.v0);
            m.addTriangle(a, b, top, inward);
            continue;
        }
        std::uint32_t c = m.addVertex(q1, inward, night.u1, night.v0);
        std::uint32_t d = m.addVertex(q0, inward, night.u0, night.v0);
        m.addTriangle(a, b, c, inward);
        m.addTriangle(a, c, d, inward);
    }
}

// Normals may lean back from the light at most this far, measured as their
// part along the face's own normal.
const float LEAST_FRONT = 0.2f;

}  // namespace

void faceTheLight(Mesh& m, std::uint32_t first) {
    const V3 light{GAME_LIGHT_POSITION.x, GAME_LIGHT_POSITION.y, GAME_LIGHT_POSITION.z};
    for (std::uint32_t i = first; i < m.vertices.size(); ++i) {
        MeshVertex& v = m.vertices[i];
        V3 toLight = normalized(light - v.position);
        float front = dot(toLight, v.normal);
        v.normal = normalized(toLight + v.normal * std::fmax(0.0f, LEAST_FRONT - front));
    }
}

void addSky(Mesh& m) {
    const std::uint32_t first = static_cast<std::uint32_t>(m.vertices.size());
    for (int k = 0; k < SKY_PANELS; ++k) addDomeSlice(m, k);
    for (int k = 0; k < SKY_PANELS; ++k)
        if (k != SKY_PANELS / 4) addSkyPanel(m, k);
    faceTheLight(m, first);
    // The panel straight ahead (facing -z) is added last and keeps its own normal:
    // the uprights, drawn right after the field and without normals of their own,
    // are lit with it, facing back down the field. The light falls on it nearly
    // head-on, so it shows as bright as its neighbours.
    addSkyPanel(m, SKY_PANELS / 4);
}

namespace {

// Rays slip through the pixel-wide cracks along the tops of the walls and land on
// the ground a few units beyond them; farther out the stands hide the ground.
const float CRACK_REACH = 10.0f;

// Ground the camera never sees: behind the stands beyond that reach (on the
// sides, from the near end on; and beyond the far end), or wholly outside the sky.
bool groundNeverSeen(float x0, float x1, float z0, float z1) {
    const bool behindSideStands = (x0 >= WALL_X + CRACK_REACH || x1 <= -WALL_X - CRACK_REACH) && z0 >= NEAR_EDGE_Z;
    const bool behindFarStand = z0 >= FAR_WALL_Z + CRACK_REACH;
    const float nearestX = std::fmax(0.0f, std::fmax(x0, -x1)), nearestZ = std::fmax(0.0f, std::fmax(z0, -z1));
    const bool outsideSky = nearestX * nearestX + nearestZ * nearestZ > SKY_RADIUS * SKY_RADIUS;
    return behindSideStands || behindFarStand || outsideSky;
}

}  // namespace

void addOuterGround(Mesh& m, HiddenParts hidden) {
    // Four fields round the stadium's ground, out past the sky, a little below
    // it and reaching a unit under its edges, so that no seam opens between them.
    // Under the stands they are hidden; past the open near end they are what a
    // camera turned far aside sees below the horizon.
    const float reach = SKY_RADIUS + 10.0f, step = 36.0f, below = -0.05f, under = 1.0f;
    UvRect apron = region(ATLAS_APRON);
    auto patch = [&](float x0, float x1, float z0, float z1) {
        for (float z = z0; z < z1 - 1e-3f; z += step)
            for (float x = x0; x < x1 - 1e-3f; x += step) {
                float xe = std::fmin(x + step, x1), ze = std::fmin(z + step, z1);
                if (hidden == HiddenParts::TRIMMED && groundNeverSeen(x, xe, z, ze)) continue;
                m.addQuad(V3{x, below, z}, V3{x, below, ze}, V3{xe, below, ze}, V3{xe, below, z}, apron);
            }
    };
    patch(-reach, reach, -reach, NEAR_EDGE_Z + under);
    patch(-reach, -WALL_X, NEAR_EDGE_Z + under, reach);
    patch(WALL_X, reach, NEAR_EDGE_Z + under, reach);
    patch(-WALL_X, WALL_X, FAR_WALL_Z, reach);
}
