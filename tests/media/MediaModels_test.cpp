// The committed models, read by the game's own reader: complete, consistent,
// the right size and facing the right way.
#include <cstdlib>
#include <memory>

#include "media/MediaTestSupport.h"
#include "core/Field.h"
#include "game/Game.h"
#include "model/Image.h"

namespace {

const char* const MODEL_FILES[] = {"field.a3f", "uprights.a3f", "zq.a3f", "zorbak.a3f", "football.a3f"};

class MediaModels : public RepositoryMedia {
protected:
    std::unique_ptr<Model> read(const char* fileName) {
        auto model = std::make_unique<Model>();
        EXPECT_TRUE(model->parseA3f(fileName)) << fileName << "\n" << allMessages();
        return model;
    }
};

TEST_F(MediaModels, EveryModelReadsWithoutAMessageAndAsksForOneTextureThatLoads) {
    for (const char* fileName : MODEL_FILES) {
        textures.clear();
        std::unique_ptr<Model> model = read(fileName);
        EXPECT_EQ(model->visible, 1) << fileName;
        EXPECT_GT(model->faceCount, 10u) << fileName;
        ASSERT_EQ(textures.size(), 1u) << fileName;
        int width = 0, height = 0;
        std::uint8_t* pixels = loadImage(textures[0].fileName.c_str(), width, height);
        ASSERT_NE(pixels, nullptr) << textures[0].fileName;
        std::free(pixels);
        EXPECT_TRUE(isPowerOfTwo(width) && width <= 1024) << textures[0].fileName << " width " << width;
        EXPECT_TRUE(isPowerOfTwo(height) && height <= 1024) << textures[0].fileName << " height " << height;
        EXPECT_EQ(model->material.diffuse.a, 1.0f) << fileName;
    }
    EXPECT_EQ(allMessages(), "");
}

TEST_F(MediaModels, IndicesInRangeNormalsUnitAndTrianglesFaceTheirNormals) {
    for (const char* fileName : MODEL_FILES) {
        std::unique_ptr<Model> model = read(fileName);
        for (std::uint32_t k = 0; k < 3 * model->faceCount; ++k)
            ASSERT_LT(model->faces[k], model->vertexCount) << fileName << " index " << k;
        if (!model->hasNormals) continue;
        for (std::uint32_t i = 0; i < model->vertexCount; ++i)
            ASSERT_NEAR(model->vertices[i].normal.length(), 1.0f, 1e-3f) << fileName << " vertex " << i;
        // Counter-clockwise seen from outside: the winding agrees with the normals.
        for (std::uint32_t t = 0; t < model->faceCount; ++t) {
            Vec3 winding = windingNormal(*model, t);
            ASSERT_GT(winding.length(), 0.0f) << fileName << " triangle " << t << " has no area";
            float agreement = 0;
            for (int corner = 0; corner < 3; ++corner)
                agreement += dot3(winding, model->vertices[model->faces[3 * t + corner]].normal);
            ASSERT_GT(agreement, 0.0f) << fileName << " triangle " << t << " is wound backwards";
        }
    }
}

TEST_F(MediaModels, EachVertexFormatIsUsedAndTheCutOutIsABmp) {
    std::unique_ptr<Model> field = read("field.a3f");
    std::unique_ptr<Model> uprights = read("uprights.a3f");
    std::unique_ptr<Model> ball = read("football.a3f");
    // Normals and texture coordinates from the file.
    EXPECT_TRUE(field->hasNormals);
    EXPECT_NE(field->vertices[0].texCoord.u + field->vertices[1].texCoord.v, 0.0f);
    // Texture coordinates only.
    EXPECT_FALSE(uprights->hasNormals);
    EXPECT_EQ(uprights->material.alphaMode, AlphaMode::BLACK_MASK);
    EXPECT_STREQ(uprights->material.textureFile, "uprights.bmp");
    // Normals only: the reader lays the texture over it, all inside [0, 1].
    EXPECT_TRUE(ball->hasNormals);
    for (std::uint32_t i = 0; i < ball->vertexCount; ++i) {
        ASSERT_GE(ball->vertices[i].texCoord.u, 0.0f);
        ASSERT_LE(ball->vertices[i].texCoord.v, 1.0f);
    }
    EXPECT_EQ(field->material.alphaMode, AlphaMode::NONE);
}

TEST_F(MediaModels, FieldCoversThePlayingAreaAndSurroundsIt) {
    std::unique_ptr<Model> field = read("field.a3f");
    Box box = boundsOf(*field);
    EXPECT_LT(box.lo.x, -FIELD_HALF_WIDTH);
    EXPECT_GT(box.hi.x, FIELD_HALF_WIDTH);
    EXPECT_LT(box.lo.z, -FIELD_HALF_LENGTH);
    EXPECT_GT(box.hi.z, FIELD_HALF_LENGTH);
    EXPECT_GT(box.hi.y, 15.0f) << "stands and sky rise around the field";
    // The playing surface lies at y = 0 and is seen from above.
    int groundCorners = 0;
    for (std::uint32_t i = 0; i < field->vertexCount; ++i) {
        const ModelVertex& v = field->vertices[i];
        if (std::fabs(v.position.x) == FIELD_HALF_WIDTH && std::fabs(v.position.z) == FIELD_HALF_LENGTH &&
            v.position.y == 0.0f) {
            ++groundCorners;
            EXPECT_NEAR(v.normal.y, 1.0f, 1e-4f);
        }
    }
    EXPECT_GE(groundCorners, 4);
    // The uprights carry no normals and are drawn right after the field: they are
    // lit with the field's last normal, which must face back down the field.
    const ModelVertex& last = field->vertices[field->faces[3 * field->faceCount - 1]];
    EXPECT_LT(last.normal.z, -0.9f);
}

TEST_F(MediaModels, EverythingAboveTheGroundFacesTheGamesLight) {
    // With Lights on, walls, stands and sky must not fall dark on the side away
    // from the light: the light's share of every normal off the ground is large.
    std::unique_ptr<Model> field = read("field.a3f");
    int above = 0;
    for (std::uint32_t i = 0; i < field->vertexCount; ++i) {
        const ModelVertex& v = field->vertices[i];
        if (v.position.y <= 0.01f) continue;
        ++above;
        Vec3 toLight = GAME_LIGHT_POSITION - v.position;
        toLight.normalize();
        ASSERT_GT(dot3(v.normal, toLight), 0.6f) << "vertex " << i << " at " << v.position.x << ", "
                                                  << v.position.y << ", " << v.position.z;
    }
    EXPECT_GT(above, 100);
}

TEST_F(MediaModels, TheCrowdIsLaidOutAtAboutATexelAScreenPixel) {
    // The crowd's rectangle of the 1024 x 1024 field atlas (u from 0.5, v from
    // 0.25 to 0.5). The camera sees the stands from 30 to 130 units away, at
    // about 2 to 10 screen pixels a unit; without mipmaps, more than a few texels
    // a unit would make several texels share a pixel, and the crowd crawl.
    std::unique_ptr<Model> field = read("field.a3f");
    const float atlasSize = 1024.0f;
    int crowdTriangles = 0;
    for (std::uint32_t t = 0; t < field->faceCount; ++t) {
        const ModelVertex* corner[3];
        bool inCrowd = true;
        for (int k = 0; k < 3; ++k) {
            corner[k] = &field->vertices[field->faces[3 * t + k]];
            const Vec2& uv = corner[k]->texCoord;
            inCrowd = inCrowd && uv.u > 0.5f && uv.v > 0.25f && uv.v < 0.5f;
        }
        if (!inCrowd) continue;
        ++crowdTriangles;
        for (int k = 0; k < 3; ++k) {
            const ModelVertex& a = *corner[k];
            const ModelVertex& b = *corner[(k + 1) % 3];
            float texels = std::hypot((b.texCoord.u - a.texCoord.u) * atlasSize, (b.texCoord.v - a.texCoord.v) * atlasSize);
            float units = (b.position - a.position).length();
            EXPECT_LT(texels / units, 8.0f) << "triangle " << t << " edge " << k;
        }
    }
    EXPECT_GE(crowdTriangles, 6) << "three stands of crowd";
}

TEST_F(MediaModels, UprightsStandOnTheGroundWithPostsTenApart) {
    std::unique_ptr<Model> uprights = read("uprights.a3f");
    Box box = boundsOf(*uprights);
    EXPECT_NEAR(box.lo.y, -1.0f, 1e-3f) << "placed at y = 1, its foot must reach the ground";
    EXPECT_GT(box.hi.y, 8.0f);
    // Tall posts stand at x = +-4: the vertices at their tops sit close to them.
    int high = 0;
    for (std::uint32_t i = 0; i < uprights->vertexCount; ++i) {
        const Vec3& p = uprights->vertices[i].position;
        if (p.y < box.hi.y - 0.05f) continue;
        ++high;
        EXPECT_NEAR(std::fabs(p.x), 4.0f, 0.3f) << "vertex " << i;
    }
    EXPECT_GT(high, 10);
}

TEST_F(MediaModels, FiguresHaveTheirSizesAndFaceMinusZ) {
    std::unique_ptr<Model> dog = read("zq.a3f");
    Box dogBox = boundsOf(*dog);
    EXPECT_NEAR(dogBox.lo.y, -0.6f, 1e-3f);
    EXPECT_NEAR(dogBox.hi.y - dogBox.lo.y, 1.2f, 0.1f);
    // The head is the front: the dog reaches further along -z than its tail does along +z.
    EXPECT_GT(-dogBox.lo.z, dogBox.hi.z);

    std::unique_ptr<Model> robot = read("zorbak.a3f");
    Box robotBox = boundsOf(*robot);
    EXPECT_NEAR(robotBox.lo.y, -1.5f, 1e-3f);
    EXPECT_NEAR(robotBox.hi.y - robotBox.lo.y, 3.0f, 0.1f);
    EXPECT_GT(-robotBox.lo.z, robotBox.hi.z + 0.1f) << "its arms reach forward";

    std::unique_ptr<Model> ball = read("football.a3f");
    Box ballBox = boundsOf(*ball);
    EXPECT_NEAR(ballBox.hi.z - ballBox.lo.z, 0.7f, 0.05f) << "long axis along z";
    EXPECT_LT(ballBox.hi.x - ballBox.lo.x, 0.5f);
    EXPECT_LT(ballBox.hi.y - ballBox.lo.y, 0.5f);
    EXPECT_GT(ballBox.hi.y, -ballBox.lo.y) << "laces on top";
}

}  // namespace
