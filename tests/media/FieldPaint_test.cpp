// What the committed field shows where the rules draw their lines: the dog
// plays inside x in [-25, 25] and z in [-50, 50], and scores beyond z = 40.
#include <cstdlib>
#include <memory>

#include "media/MediaTestSupport.h"
#include "model/Image.h"

namespace {

struct Texel {
    int r = 0, g = 0, b = 0;
    bool white() const { return r > 200 && g > 200 && b > 200; }
    bool grass() const { return g > r + 40 && g > b + 40 && g > 90; }
    bool red() const { return r > g + 60 && r > b + 60; }
};

class FieldPaint : public RepositoryMedia {
protected:
    void SetUp() override {
        RepositoryMedia::SetUp();
        field = std::make_unique<Model>();
        ASSERT_TRUE(field->parseA3f("field.a3f")) << allMessages();
        atlas = loadImage("field.jpg", width, height);
        ASSERT_NE(atlas, nullptr);
    }
    void TearDown() override {
        std::free(atlas);
        RepositoryMedia::TearDown();
    }

    // The texel the ground shows at world (x, 0, z): the texture coordinates of
    // the ground triangle under the point, interpolated.
    Texel groundAt(float x, float z) const {
        for (std::uint32_t t = 0; t < field->faceCount; ++t) {
            const ModelVertex& a = field->vertices[field->faces[3 * t]];
            const ModelVertex& b = field->vertices[field->faces[3 * t + 1]];
            const ModelVertex& c = field->vertices[field->faces[3 * t + 2]];
            if (a.position.y != 0.0f || b.position.y != 0.0f || c.position.y != 0.0f) continue;
            float det = (b.position.x - a.position.x) * (c.position.z - a.position.z) -
                        (c.position.x - a.position.x) * (b.position.z - a.position.z);
            float wb = ((x - a.position.x) * (c.position.z - a.position.z) -
                        (c.position.x - a.position.x) * (z - a.position.z)) / det;
            float wc = ((b.position.x - a.position.x) * (z - a.position.z) -
                        (x - a.position.x) * (b.position.z - a.position.z)) / det;
            if (wb < 0 || wc < 0 || wb + wc > 1) continue;
            float u = a.texCoord.u + wb * (b.texCoord.u - a.texCoord.u) + wc * (c.texCoord.u - a.texCoord.u);
            float v = a.texCoord.v + wb * (b.texCoord.v - a.texCoord.v) + wc * (c.texCoord.v - a.texCoord.v);
            int px = static_cast<int>(u * width), py = static_cast<int>(v * height);
            const std::uint8_t* p = atlas + 3 * (static_cast<std::size_t>(py) * width + px);
            return Texel{p[2], p[1], p[0]};
        }
        ADD_FAILURE() << "no ground under " << x << ", " << z;
        return Texel{};
    }

    std::unique_ptr<Model> field;
    std::uint8_t* atlas = nullptr;
    int width = 0, height = 0;
};

TEST_F(FieldPaint, SidelinesAndEndLinesLieJustOutsideTheAreaOfPlayWithGrassBeyond) {
    for (float side : {-1.0f, 1.0f}) {
        for (float z : {-30.0f, 2.0f, 30.0f}) {  // between the yard lines
            EXPECT_FALSE(groundAt(side * 24.6f, z).white()) << "inside the sideline at z " << z;
            EXPECT_TRUE(groundAt(side * 25.4f, z).white()) << "the sideline at x " << side * 25.4f << ", z " << z;
            EXPECT_TRUE(groundAt(side * 26.5f, z).grass()) << "grass beyond the sideline at z " << z;
        }
        for (float x : {-12.0f, 12.0f}) {
            EXPECT_TRUE(groundAt(x, side * 50.4f).white()) << "the end line at z " << side * 50.4f;
            EXPECT_TRUE(groundAt(x, side * 51.5f).grass()) << "grass beyond the end line at z " << side * 51.5f;
        }
    }
}

TEST_F(FieldPaint, TheGoalLineIsTheScoringLineAndTheEndZoneLiesBeyondIt) {
    for (float x : {-20.0f, -12.0f, 12.0f, 20.0f}) {
        EXPECT_TRUE(groundAt(x, 40.0f).white()) << "goal line at x " << x;
        EXPECT_FALSE(groundAt(x, 39.5f).red()) << "field of play at x " << x;
        EXPECT_TRUE(groundAt(x, 41.0f).red()) << "end zone at x " << x;
        EXPECT_TRUE(groundAt(x, 49.0f).red()) << "end zone at x " << x;
    }
}

}  // namespace
