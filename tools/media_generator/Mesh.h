#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct V3 {
    float x = 0, y = 0, z = 0;
};

V3 operator+(V3 a, V3 b);
V3 operator-(V3 a, V3 b);
V3 operator*(V3 a, float s);
float dot(V3 a, V3 b);
V3 cross(V3 a, V3 b);
V3 normalized(V3 a);

// A rectangle of a texture atlas in texture coordinates (v = 0 is the top row).
struct UvRect {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
    float u(float t) const { return u0 + (u1 - u0) * t; }
    float v(float t) const { return v0 + (v1 - v0) * t; }
};

// Builds a UvRect from pixel corners of an atlas of the given size, pulled in by
// one texel on every side so linear filtering never reads a neighbouring region.
UvRect atlasRegion(int x0, int y0, int x1, int y1, int atlasWidth, int atlasHeight);

struct MeshVertex {
    V3 position;
    V3 normal;
    float u = 0, v = 0;
};

// A row-major 3 x 3 rotation.
struct Rot3 {
    float m[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    static Rot3 aboutX(float radians);
    static Rot3 aboutY(float radians);
    static Rot3 aboutZ(float radians);
    V3 apply(V3 p) const;
    Rot3 then(const Rot3& next) const;  // this rotation first, then next
};

// One profile point of a surface of revolution: radius at height y.
struct RingPoint {
    float radius;
    float y;
};

// A triangle list under construction. Every add* call keeps triangles
// counter-clockwise as seen from outside: a triangle whose winding disagrees with
// the outward normal it was meant to have is turned round.
class Mesh {
public:
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;

    std::uint32_t addVertex(V3 position, V3 normal, float u, float v);
    // Adds a triangle, reversing it when its winding faces away from outward.
    void addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, V3 outward);
    // A flat quad p0 p1 p2 p3 (in order around its edge), normal from its winding
    // unless it is given; (u, v) rectangle laid from p0 (u0, v1) to p2 (u1, v0).
    void addQuad(V3 p0, V3 p1, V3 p2, V3 p3, UvRect uv, bool bothSides = false);
    // A box (or a frustum of a box): the bottom rectangle at yBottom with half sizes
    // bottomHalfX/Z, the top at yTop with its own half sizes, centred on (cx, cz),
    // the top shifted by topShiftZ. Every face shows the whole region, unless six
    // regions are given (front -z, right +x, back +z, left -x, top, bottom).
    void addBlock(float cx, float cz, float yBottom, float yTop, float bottomHalfX, float bottomHalfZ,
                  float topHalfX, float topHalfZ, UvRect uv, float topShiftZ = 0.0f,
                  const UvRect* faceRegions = nullptr);
    void addBox(V3 minCorner, V3 maxCorner, UvRect uv);
    // Surface of revolution around the y axis through (cx, cz), profile from the
    // bottom up; smooth normals; flat caps where an end has a radius.
    void addRevolution(const std::vector<RingPoint>& profile, int segments, UvRect uv, bool caps,
                       float cx = 0.0f, float cz = 0.0f);
    // Part of such a surface, from startAngle to endAngle (radians; pi/2 faces -z),
    // open at both sides.
    void addRevolutionArc(const std::vector<RingPoint>& profile, int segments, UvRect uv, float startAngle,
                          float endAngle);
    // Rotates (about the origin) and then moves every vertex from index first on.
    void transformFrom(std::uint32_t first, const Rot3& rotation, V3 offset);
    void append(const Mesh& other);

private:
    void addRing(const std::vector<RingPoint>& profile, int segments, UvRect uv, float startAngle, float endAngle,
                 float cx, float cz);
    void addCaps(const std::vector<RingPoint>& profile, int segments, UvRect uv, float cx, float cz);

public:
    size_t triangleCount() const { return indices.size() / 3; }
    void bounds(V3& minCorner, V3& maxCorner) const;
};

enum VertexFormat { FORMAT_POSITION_NORMAL_TEXCOORDS, FORMAT_POSITION_TEXCOORDS, FORMAT_POSITION_NORMAL };

struct MaterialSpec {
    std::string name;
    float diffuse[4] = {1, 1, 1, 1};
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    float specular[4] = {0.3f, 0.3f, 0.3f, 1};
    unsigned shininess = 20;
    std::string textureFile;  // empty: no texture
    std::string alphaWord = "NONE";
};

// The model file text: header, vertices in the chosen format, faces, one material.
std::string formatA3f(const Mesh& mesh, VertexFormat format, const MaterialSpec& material,
                      const std::string& comment);
bool writeTextFile(const std::string& path, const std::string& text);
