#include "SoftRenderer.h"

#include <algorithm>
#include <cmath>

#include "math/Matrix4.h"

namespace {

// The projection and view of the game, multiplied into one clip transform.
void clipTransform(const SceneCamera& camera, float aspect, float out[16]) {
    float top = static_cast<float>(std::tan(45.0 * 3.14159 / 360.0));
    float right = top * aspect;
    float nearPlane = 1.0f, farPlane = 500.0f;
    float p[16] = {1 / right, 0, 0, 0, 0, 1 / top, 0, 0, 0, 0, -(farPlane + nearPlane) / (farPlane - nearPlane), -1,
                   0, 0, -2 * farPlane * nearPlane / (farPlane - nearPlane), 0};
    Matrix4 view;
    view.lookAt(Vec3(camera.eye.x, camera.eye.y, camera.eye.z), Vec3(camera.target.x, camera.target.y, camera.target.z),
                Vec3(0, 1, 0));
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += p[k * 4 + r] * view.m[c * 4 + k];
            out[c * 4 + r] = sum;
        }
}

Rgb sampleTexture(const Canvas& texture, float u, float v) {
    // Bilinear, repeating, as the game's textures are set up.
    float x = u * texture.width() - 0.5f, y = v * texture.height() - 0.5f;
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float fx = x - x0, fy = y - y0;
    auto at = [&](int px, int py) {
        int w = texture.width(), h = texture.height();
        return texture.get(((px % w) + w) % w, ((py % h) + h) % h);
    };
    Rgb top = mixRgb(at(x0, y0), at(x0 + 1, y0), fx);
    Rgb bottom = mixRgb(at(x0, y0 + 1), at(x0 + 1, y0 + 1), fx);
    return mixRgb(top, bottom, fy);
}

}  // namespace

SoftRenderer::SoftRenderer(int width, int height)
    : image_(width, height), depth_(static_cast<size_t>(width) * height, 1e30f) {}

void SoftRenderer::clear(Rgb colour) {
    image_.fillRect(0, 0, image_.width(), image_.height(), colour);
    std::fill(depth_.begin(), depth_.end(), 1e30f);
}

void SoftRenderer::draw(const SceneItem& item, const SceneCamera& camera, bool lit) {
    float clip[16];
    clipTransform(camera, static_cast<float>(image_.width()) / image_.height(), clip);
    Rot3 turn = Rot3::aboutY(item.heading);
    const V3 light{100, 100, -100};
    std::vector<ClipVertex> transformed;
    for (const MeshVertex& v : item.mesh->vertices) {
        V3 p = turn.apply(v.position) + item.position;
        V3 n = item.hasNormals ? turn.apply(v.normal) : V3{0, 0, -1};
        float shade = 1.0f;
        if (lit) shade = std::max(0.0f, dot(n, normalized(light - p))) + 0.11f;
        ClipVertex c;
        c.x = clip[0] * p.x + clip[4] * p.y + clip[8] * p.z + clip[12];
        c.y = clip[1] * p.x + clip[5] * p.y + clip[9] * p.z + clip[13];
        c.z = clip[2] * p.x + clip[6] * p.y + clip[10] * p.z + clip[14];
        c.w = clip[3] * p.x + clip[7] * p.y + clip[11] * p.z + clip[15];
        c.u = v.u;
        c.v = v.v;
        c.r = std::min(1.0f, item.diffuse[0] * shade);
        c.g = std::min(1.0f, item.diffuse[1] * shade);
        c.b = std::min(1.0f, item.diffuse[2] * shade);
        transformed.push_back(c);
    }
    const std::vector<std::uint32_t>& idx = item.mesh->indices;
    for (size_t t = 0; t + 2 < idx.size(); t += 3) {
        // Clip against the near plane (z > -w), which can turn the triangle into a quad.
        ClipVertex in[3] = {transformed[idx[t]], transformed[idx[t + 1]], transformed[idx[t + 2]]};
        ClipVertex out[4];
        int count = 0;
        for (int i = 0; i < 3; ++i) {
            const ClipVertex& a = in[i];
            const ClipVertex& b = in[(i + 1) % 3];
            float da = a.z + a.w, db = b.z + b.w;
            if (da >= 0) out[count++] = a;
            if ((da >= 0) != (db >= 0)) {
                float s = da / (da - db);
                ClipVertex m;
                float* pm = &m.x;
                const float* pa = &a.x;
                const float* pb = &b.x;
                for (int k = 0; k < 9; ++k) pm[k] = pa[k] + (pb[k] - pa[k]) * s;
                out[count++] = m;
            }
        }
        for (int k = 1; k + 1 < count; ++k) {
            ClipVertex tri[3] = {out[0], out[k], out[k + 1]};
            rasterise(tri, item);
        }
    }
}

void SoftRenderer::rasterise(const ClipVertex* tri, const SceneItem& item) {
    int width = image_.width(), height = image_.height();
    float sx[3], sy[3], sz[3], iw[3];
    for (int i = 0; i < 3; ++i) {
        iw[i] = 1.0f / tri[i].w;
        sx[i] = (tri[i].x * iw[i] * 0.5f + 0.5f) * width;
        sy[i] = (0.5f - tri[i].y * iw[i] * 0.5f) * height;
        sz[i] = tri[i].z * iw[i];
    }
    float area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sx[2] - sx[0]) * (sy[1] - sy[0]);
    if (area >= 0) return;  // seen from behind (screen y points down): culled, as the game culls
    int x0 = std::max(0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
    int x1 = std::min(width - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
    int y0 = std::max(0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
    int y1 = std::min(height - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float b0 = ((sx[1] - px) * (sy[2] - py) - (sx[2] - px) * (sy[1] - py)) / area;
            float b1 = ((sx[2] - px) * (sy[0] - py) - (sx[0] - px) * (sy[2] - py)) / area;
            float b2 = 1.0f - b0 - b1;
            if (b0 < 0 || b1 < 0 || b2 < 0) continue;
            float z = b0 * sz[0] + b1 * sz[1] + b2 * sz[2];
            float& stored = depth_[static_cast<size_t>(y) * width + x];
            if (z >= stored || z < -1.0f) continue;
            float w0 = b0 * iw[0], w1 = b1 * iw[1], w2 = b2 * iw[2];
            float sum = w0 + w1 + w2;
            auto interp = [&](float ClipVertex::*field) {
                return (w0 * (tri[0].*field) + w1 * (tri[1].*field) + w2 * (tri[2].*field)) / sum;
            };
            Rgb texel{255, 255, 255};
            if (item.texture) {
                texel = sampleTexture(*item.texture, interp(&ClipVertex::u), interp(&ClipVertex::v));
                if (item.blackIsClear && texel.r + texel.g + texel.b < 12) continue;
            }
            stored = z;
            image_.set(x, y, Rgb{static_cast<int>(texel.r * interp(&ClipVertex::r)),
                                 static_cast<int>(texel.g * interp(&ClipVertex::g)),
                                 static_cast<int>(texel.b * interp(&ClipVertex::b))});
        }
}

void generateBoxTexCoords(Mesh& mesh) {
    V3 lo, hi;
    mesh.bounds(lo, hi);
    bool useY = (hi.y - lo.y) > (hi.z - lo.z);
    for (MeshVertex& v : mesh.vertices) {
        v.u = (v.position.x - lo.x) / (hi.x - lo.x);
        v.v = useY ? (v.position.y - lo.y) / (hi.y - lo.y) : (v.position.z - lo.z) / (hi.z - lo.z);
    }
}
