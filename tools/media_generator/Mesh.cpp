#include "Mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "math/Scalar.h"

V3 operator+(V3 a, V3 b) { return V3{a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return V3{a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, float s) { return V3{a.x * s, a.y * s, a.z * s}; }
float dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 cross(V3 a, V3 b) { return V3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

V3 normalized(V3 a) {
    float length = std::sqrt(dot(a, a));
    return length > 0.0f ? a * (1.0f / length) : V3{0, 1, 0};
}

UvRect atlasRegion(int x0, int y0, int x1, int y1, int atlasWidth, int atlasHeight) {
    return UvRect{(x0 + 1.0f) / atlasWidth, (y0 + 1.0f) / atlasHeight, (x1 - 1.0f) / atlasWidth,
                  (y1 - 1.0f) / atlasHeight};
}

Rot3 Rot3::aboutX(float a) {
    float c = std::cos(a), s = std::sin(a);
    return Rot3{{1, 0, 0, 0, c, -s, 0, s, c}};
}

Rot3 Rot3::aboutY(float a) {
    float c = std::cos(a), s = std::sin(a);
    return Rot3{{c, 0, s, 0, 1, 0, -s, 0, c}};
}

Rot3 Rot3::aboutZ(float a) {
    float c = std::cos(a), s = std::sin(a);
    return Rot3{{c, -s, 0, s, c, 0, 0, 0, 1}};
}

V3 Rot3::apply(V3 p) const {
    return V3{m[0] * p.x + m[1] * p.y + m[2] * p.z, m[3] * p.x + m[4] * p.y + m[5] * p.z,
              m[6] * p.x + m[7] * p.y + m[8] * p.z};
}

Rot3 Rot3::then(const Rot3& next) const {
    Rot3 out;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            float sum = 0;
            for (int k = 0; k < 3; ++k) sum += next.m[r * 3 + k] * m[k * 3 + c];
            out.m[r * 3 + c] = sum;
        }
    return out;
}

std::uint32_t Mesh::addVertex(V3 position, V3 normal, float u, float v) {
    vertices.push_back(MeshVertex{position, normalized(normal), u, v});
    return static_cast<std::uint32_t>(vertices.size() - 1);
}

void Mesh::addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, V3 outward) {
    V3 pa = vertices[a].position, pb = vertices[b].position, pc = vertices[c].position;
    V3 faceNormal = cross(pb - pa, pc - pa);
    if (dot(faceNormal, faceNormal) < 1e-14f) return;  // no area: nothing to draw
    if (dot(faceNormal, outward) < 0.0f) std::swap(b, c);
    indices.insert(indices.end(), {a, b, c});
}

void Mesh::addQuad(V3 p0, V3 p1, V3 p2, V3 p3, UvRect uv, bool bothSides) {
    V3 normal = normalized(cross(p1 - p0, p2 - p0));
    for (int side = 0; side < (bothSides ? 2 : 1); ++side) {
        V3 n = side == 0 ? normal : normal * -1.0f;
        std::uint32_t a = addVertex(p0, n, uv.u0, uv.v1);
        std::uint32_t b = addVertex(p1, n, uv.u1, uv.v1);
        std::uint32_t c = addVertex(p2, n, uv.u1, uv.v0);
        std::uint32_t d = addVertex(p3, n, uv.u0, uv.v0);
        addTriangle(a, b, c, n);
        addTriangle(a, c, d, n);
    }
}

void Mesh::addBlock(float cx, float cz, float yBottom, float yTop, float bottomHalfX, float bottomHalfZ,
                    float topHalfX, float topHalfZ, UvRect uv, float topShiftZ, const UvRect* faceRegions) {
    float tz = cz + topShiftZ;
    V3 b[4] = {{cx - bottomHalfX, yBottom, cz - bottomHalfZ}, {cx + bottomHalfX, yBottom, cz - bottomHalfZ},
               {cx + bottomHalfX, yBottom, cz + bottomHalfZ}, {cx - bottomHalfX, yBottom, cz + bottomHalfZ}};
    V3 t[4] = {{cx - topHalfX, yTop, tz - topHalfZ}, {cx + topHalfX, yTop, tz - topHalfZ},
               {cx + topHalfX, yTop, tz + topHalfZ}, {cx - topHalfX, yTop, tz + topHalfZ}};
    // Sides: seen from outside, bottom edge left to right, then up.
    addQuad(b[1], b[0], t[0], t[1], faceRegions ? faceRegions[0] : uv);  // front (-z)
    addQuad(b[2], b[1], t[1], t[2], faceRegions ? faceRegions[1] : uv);  // right (+x)
    addQuad(b[3], b[2], t[2], t[3], faceRegions ? faceRegions[2] : uv);  // back (+z)
    addQuad(b[0], b[3], t[3], t[0], faceRegions ? faceRegions[3] : uv);  // left (-x)
    addQuad(t[0], t[3], t[2], t[1], faceRegions ? faceRegions[4] : uv);  // top
    addQuad(b[0], b[1], b[2], b[3], faceRegions ? faceRegions[5] : uv);  // bottom
}

void Mesh::addBox(V3 minCorner, V3 maxCorner, UvRect uv) {
    float hx = (maxCorner.x - minCorner.x) / 2, hz = (maxCorner.z - minCorner.z) / 2;
    addBlock(minCorner.x + hx, minCorner.z + hz, minCorner.y, maxCorner.y, hx, hz, hx, hz, uv);
}

void Mesh::addRevolution(const std::vector<RingPoint>& profile, int segments, UvRect uv, bool caps, float cx,
                         float cz) {
    addRing(profile, segments, uv, 0.0f, TWO_PI, cx, cz);
    if (caps) addCaps(profile, segments, uv, cx, cz);
}

void Mesh::addRevolutionArc(const std::vector<RingPoint>& profile, int segments, UvRect uv, float startAngle,
                            float endAngle) {
    addRing(profile, segments, uv, startAngle, endAngle, 0.0f, 0.0f);
}

void Mesh::addRing(const std::vector<RingPoint>& profile, int segments, UvRect uv, float startAngle, float endAngle,
                   float cx, float cz) {
    size_t n = profile.size();
    std::vector<float> along(n, 0.0f);
    for (size_t i = 1; i < n; ++i)
        along[i] = along[i - 1] + std::hypot(profile[i].radius - profile[i - 1].radius, profile[i].y - profile[i - 1].y);
    std::uint32_t first = static_cast<std::uint32_t>(vertices.size());
    for (size_t i = 0; i < n; ++i) {
        const RingPoint& prev = profile[i == 0 ? 0 : i - 1];
        const RingPoint& next = profile[i + 1 < n ? i + 1 : n - 1];
        float dr = next.radius - prev.radius, dy = next.y - prev.y;
        float nr = dy, ny = -dr;  // outward in the (radius, y) plane
        for (int j = 0; j <= segments; ++j) {
            float angle = startAngle + (endAngle - startAngle) * static_cast<float>(j) / static_cast<float>(segments);
            float c = std::cos(angle), s = std::sin(angle);
            V3 p{cx + profile[i].radius * c, profile[i].y, cz - profile[i].radius * s};
            V3 normal{nr * c, ny, -nr * s};
            addVertex(p, normal, uv.u(static_cast<float>(j) / segments), uv.v(1.0f - along[i] / along[n - 1]));
        }
    }
    auto at = [&](size_t i, int j) { return first + static_cast<std::uint32_t>(i * (segments + 1) + j); };
    for (size_t i = 0; i + 1 < n; ++i)
        for (int j = 0; j < segments; ++j) {
            V3 outward = vertices[at(i, j)].normal + vertices[at(i + 1, j + 1)].normal;
            addTriangle(at(i, j), at(i, j + 1), at(i + 1, j + 1), outward);
            addTriangle(at(i, j), at(i + 1, j + 1), at(i + 1, j), outward);
        }
}

void Mesh::addCaps(const std::vector<RingPoint>& profile, int segments, UvRect uv, float cx, float cz) {
    for (int end = 0; end < 2; ++end) {
        const RingPoint& ring = end == 0 ? profile.front() : profile.back();
        if (ring.radius <= 0.0f) continue;
        V3 normal{0, end == 0 ? -1.0f : 1.0f, 0};
        std::uint32_t centre = addVertex(V3{cx, ring.y, cz}, normal, uv.u(0.5f), uv.v(0.5f));
        std::uint32_t rimFirst = static_cast<std::uint32_t>(vertices.size());
        for (int j = 0; j <= segments; ++j) {
            float angle = TWO_PI * static_cast<float>(j) / static_cast<float>(segments);
            float c = std::cos(angle), s = std::sin(angle);
            addVertex(V3{cx + ring.radius * c, ring.y, cz - ring.radius * s}, normal, uv.u(0.5f + 0.5f * c),
                      uv.v(0.5f + 0.5f * s));
        }
        for (int j = 0; j < segments; ++j) addTriangle(centre, rimFirst + j, rimFirst + j + 1, normal);
    }
}

void Mesh::transformFrom(std::uint32_t first, const Rot3& rotation, V3 offset) {
    for (size_t i = first; i < vertices.size(); ++i) {
        vertices[i].position = rotation.apply(vertices[i].position) + offset;
        vertices[i].normal = normalized(rotation.apply(vertices[i].normal));
    }
}

void Mesh::append(const Mesh& other) {
    std::uint32_t base = static_cast<std::uint32_t>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (std::uint32_t index : other.indices) indices.push_back(base + index);
}

void Mesh::bounds(V3& minCorner, V3& maxCorner) const {
    minCorner = V3{1e9f, 1e9f, 1e9f};
    maxCorner = V3{-1e9f, -1e9f, -1e9f};
    for (const MeshVertex& v : vertices) {
        minCorner = V3{std::min(minCorner.x, v.position.x), std::min(minCorner.y, v.position.y),
                       std::min(minCorner.z, v.position.z)};
        maxCorner = V3{std::max(maxCorner.x, v.position.x), std::max(maxCorner.y, v.position.y),
                       std::max(maxCorner.z, v.position.z)};
    }
}

namespace {

// Short, fixed decimal text: the same numbers always give the same bytes.
std::string number(float value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
    std::string s = text;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

std::string colour(const char* key, const float* c) {
    return std::string(key) + " " + number(c[0], 3) + " " + number(c[1], 3) + " " + number(c[2], 3) + " " +
           number(c[3], 3) + "\n";
}

}  // namespace

std::string formatA3f(const Mesh& mesh, VertexFormat format, const MaterialSpec& material,
                      const std::string& comment) {
    static const char* FORMAT_WORDS[] = {"POSITION_NORMAL_TEXCOORDS", "POSITION_TEXCOORDS", "POSITION_NORMAL"};
    std::string out = "A3F\nVERSION { 1.0 }\nCOMMENT { " + comment + " }\n";
    out += "VERTICES {\n" + std::string(FORMAT_WORDS[format]) + "\n" + std::to_string(mesh.vertices.size()) + "\n";
    for (const MeshVertex& v : mesh.vertices) {
        out += number(v.position.x, 4) + " " + number(v.position.y, 4) + " " + number(v.position.z, 4);
        if (format != FORMAT_POSITION_TEXCOORDS)
            out += "  " + number(v.normal.x, 5) + " " + number(v.normal.y, 5) + " " + number(v.normal.z, 5);
        if (format != FORMAT_POSITION_NORMAL) out += "  " + number(v.u, 5) + " " + number(v.v, 5);
        out += "\n";
    }
    out += "}\nFACES {\n" + std::to_string(mesh.triangleCount()) + "\n";
    for (size_t i = 0; i < mesh.indices.size(); i += 3)
        out += std::to_string(mesh.indices[i]) + " " + std::to_string(mesh.indices[i + 1]) + " " +
               std::to_string(mesh.indices[i + 2]) + " 0\n";
    out += "}\nMATERIALS {\n1\n{\nNAME " + material.name + "\n";
    out += colour("AMBIENT", material.ambient) + colour("DIFFUSE", material.diffuse) +
           colour("SPECULAR", material.specular);
    const float black[4] = {0, 0, 0, 1};
    out += colour("EMISSION", black) + "SHININESS " + std::to_string(material.shininess) + "\n";
    if (!material.textureFile.empty())
        out += "TEXTURE { FILE " + material.textureFile + " ALPHA " + material.alphaWord + " }\n";
    out += "}\n}\n";
    return out;
}

bool writeTextFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fwrite(text.data(), 1, text.size(), file);
    return std::fclose(file) == 0;
}
