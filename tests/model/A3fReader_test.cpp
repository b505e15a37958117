#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "model/ModelTestSupport.h"

namespace {
const char* const EXAMPLE_FILE = R"(A3F
VERSION { 1.0 }
VERTICES {
POSITION_NORMAL_TEXCOORDS
3
0 0 0  0 0 1  0 0
1 0 0  0 0 1  1 0
0 1 0  0 0 1  0 1
}
FACES {
1
0 1 2 0
}
MATERIALS {
1
{
NAME plate
DIFFUSE 1 0.5 0.25 1
SHININESS 10
TEXTURE { FILE plate.jpg ALPHA NONE }
}
}
)";

const char* const TRIANGLE_VERTICES =
    "VERTICES { POSITION_TEXCOORDS 3  0 0 0 0 0  1 0 0 1 0  0 1 0 0 1 }\n";
const char* const TRIANGLE_FACES = "FACES { 1 0 1 2 0 }\n";

class A3fReaderTest : public ::testing::Test {
protected:
    TempMediaDir media;
    ModelTestCapture capture;
    Model model;

    bool parse(const std::string& text, const char* name = "m.a3f") {
        media.write(name, text);
        return model.parseA3f(name);
    }

    // Vertices of the POSITION_NORMAL format (normals all +z), one face.
    bool parsePositionNormal(const std::vector<Vec3>& points) {
        std::string text = "A3F VERTICES { POSITION_NORMAL " + std::to_string(points.size());
        for (const Vec3& p : points) {
            text += " " + std::to_string(p.x) + " " + std::to_string(p.y) + " " +
                    std::to_string(p.z) + " 0 0 1";
        }
        return parse(text + " } FACES { 1 0 0 0 0 }");
    }
};

TEST_F(A3fReaderTest, ReadsEveryPartOfACompleteFile) {
    ASSERT_TRUE(parse(EXAMPLE_FILE));
    EXPECT_TRUE(capture.errors.empty());
    ASSERT_EQ(model.vertexCount, 3u);
    ASSERT_EQ(model.faceCount, 1u);
    EXPECT_TRUE(model.hasNormals);
    EXPECT_EQ(model.vertices[1].position.x, 1.0f);
    EXPECT_EQ(model.vertices[2].normal.z, 1.0f);
    EXPECT_EQ(model.vertices[2].texCoord.v, 1.0f);
    EXPECT_EQ(model.vertices[1].texCoord.u, 1.0f);
    EXPECT_EQ(model.faces[0], 0u);
    EXPECT_EQ(model.faces[1], 1u);
    EXPECT_EQ(model.faces[2], 2u);
    EXPECT_STREQ(model.material.name, "plate");
    EXPECT_EQ(model.material.diffuse.g, 0.5f);
    EXPECT_EQ(model.material.diffuse.b, 0.25f);
    EXPECT_EQ(model.material.shininess, 10u);
    EXPECT_EQ(model.visible, 1);
    ASSERT_EQ(capture.textureRequests.size(), 1u);
    EXPECT_EQ(capture.textureRequests[0].fileName, "plate.jpg");
    EXPECT_EQ(capture.textureRequests[0].alphaMode, AlphaMode::NONE);
    EXPECT_EQ(model.material.textureId, capture.textureToReturn);
}

TEST_F(A3fReaderTest, SuccessResetsPlacementButFailureKeepsVisibility) {
    model.transform[12] = 5.0f;
    model.position.set(1, 2, 3);
    model.rotation.set(1, 2, 3);
    ASSERT_TRUE(parse(std::string("A3F ") + TRIANGLE_VERTICES + TRIANGLE_FACES));
    EXPECT_EQ(model.transform[12], 0.0f);
    EXPECT_EQ(model.position.y, 0.0f);
    EXPECT_EQ(model.rotation.z, 0.0f);
    EXPECT_TRUE(capture.textureRequests.empty());
    EXPECT_EQ(model.material.textureId, 0u);

    model.visible = 3;
    EXPECT_FALSE(parse("A3F VERTICES { POSITION_TEXCOORDS 0 }"));
    EXPECT_EQ(model.visible, 3);
}

TEST_F(A3fReaderTest, RejectsMissingFilesAndWrongHeaders) {
    EXPECT_FALSE(model.parseA3f("absent.a3f"));
    EXPECT_FALSE(parse(std::string("a3f ") + TRIANGLE_VERTICES + TRIANGLE_FACES, "lower.a3f"));
    EXPECT_FALSE(parse("", "empty.a3f"));
    ASSERT_EQ(capture.errors.size(), 3u);
    EXPECT_EQ(capture.errors[0], errorText("Could not open file:", media.mediaPath("absent.a3f")));
    EXPECT_EQ(capture.errors[1], errorText("Not an .a3f file:", "lower.a3f"));
    EXPECT_EQ(capture.errors[2], errorText("Not an .a3f file:", "empty.a3f"));
    EXPECT_EQ(model.visible, 0);
}

TEST_F(A3fReaderTest, SectionsLoadInAnyOrderAndUnknownOnesAreSkipped) {
    ASSERT_TRUE(parse(std::string("A3F MATERIALS { 1 { DIFFUSE 0 1 0 1 } } NOTES { 1 2 3 } ") +
                      TRIANGLE_FACES + TRIANGLE_VERTICES));
    EXPECT_EQ(model.material.diffuse.g, 1.0f);

    Model plain;
    media.write("plain.a3f", std::string("A3F ") + TRIANGLE_FACES + TRIANGLE_VERTICES);
    ASSERT_TRUE(plain.parseA3f("plain.a3f"));
    EXPECT_EQ(plain.material.diffuse.r, 0.0f);
    EXPECT_EQ(plain.material.diffuse.a, 0.0f);
    EXPECT_EQ(plain.material.textureId, 0u);
    EXPECT_TRUE(capture.errors.empty());
}

TEST_F(A3fReaderTest, MissingSectionsAreReportedWithTheFileName) {
    EXPECT_FALSE(parse(std::string("A3F ") + TRIANGLE_VERTICES, "novert.a3f"));
    EXPECT_FALSE(parse(std::string("A3F ") + TRIANGLE_FACES, "noface.a3f"));
    // A brace glued to the section name makes an unknown word; the section's
    // contents are then passed over word by word.
    EXPECT_FALSE(parse("A3F VERTICES{ POSITION_TEXCOORDS 3 0 0 0 0 0 1 0 0 1 0 0 1 0 0 1 } " +
                           std::string(TRIANGLE_FACES),
                       "glued.a3f"));
    ASSERT_EQ(capture.errors.size(), 3u);
    EXPECT_EQ(capture.errors[0], errorText("Failed to find section FACES:", "novert.a3f"));
    EXPECT_EQ(capture.errors[1], errorText("Failed to find section VERTICES:", "noface.a3f"));
    EXPECT_EQ(capture.errors[2], errorText("Failed to find section VERTICES:", "glued.a3f"));
}

TEST_F(A3fReaderTest, ACommentEndsAtItsFirstClosingBrace) {
    // The words after the comment's brace are read as top-level words again, so
    // the FACES inside the "comment" is a real section.
    ASSERT_TRUE(parse(std::string("A3F COMMENT { made by } FACES { 1 0 1 2 0 } }") +
                      TRIANGLE_VERTICES));
    EXPECT_EQ(model.faceCount, 1u);
    EXPECT_TRUE(capture.errors.empty());
}

TEST_F(A3fReaderTest, NumbersNeedNoSpaceBeforeABraceAndTakeEveryFloatForm) {
    ASSERT_TRUE(parse("A3F VERSION {1.0}\nVERTICES {\tPOSITION_TEXCOORDS\r\n3 "
                      "-.5 +2. 1e1  0 0  1 0 0 1 0  0 1 0 0 1.5E-1}\nFACES { 1 0 1 2 +0}"));
    EXPECT_EQ(model.vertices[0].position.x, -0.5f);
    EXPECT_EQ(model.vertices[0].position.y, 2.0f);
    EXPECT_EQ(model.vertices[0].position.z, 10.0f);
    EXPECT_FLOAT_EQ(model.vertices[2].texCoord.v, 0.15f);
    EXPECT_FALSE(model.hasNormals);
}

TEST_F(A3fReaderTest, NumbersIgnoreTheUsersLocale) {
    const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"};
    const char* chosen = nullptr;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            chosen = name;
            break;
        }
    }
    if (chosen == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    bool loaded = parse(std::string("A3F MATERIALS { 1 { DIFFUSE 0.5 0.25 1 1 } } ") +
                        TRIANGLE_VERTICES + TRIANGLE_FACES);
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(model.material.diffuse.r, 0.5f);
    EXPECT_EQ(model.material.diffuse.g, 0.25f);
}

TEST_F(A3fReaderTest, GeneratedCoordinatesSpanXAndTheLargerOtherAxis) {
    ASSERT_TRUE(parsePositionNormal({{0, 0, 0}, {2, 0, 1}, {0, 4, 0}}));
    EXPECT_TRUE(model.hasNormals);
    EXPECT_EQ(model.vertices[0].texCoord.u, 0.0f);
    EXPECT_EQ(model.vertices[0].texCoord.v, 0.0f);
    EXPECT_EQ(model.vertices[1].texCoord.u, 1.0f);
    EXPECT_EQ(model.vertices[1].texCoord.v, 0.0f);
    EXPECT_EQ(model.vertices[2].texCoord.u, 0.0f);
    EXPECT_EQ(model.vertices[2].texCoord.v, 1.0f);

    // Equal y and z extents choose z: z of (2, 3, 1.5) is halfway.
    ASSERT_TRUE(parsePositionNormal({{0, 0, 0}, {2, 3, 3}, {1, 0, 1.5f}}));
    EXPECT_EQ(model.vertices[1].texCoord.u, 1.0f);
    EXPECT_EQ(model.vertices[1].texCoord.v, 1.0f);
    EXPECT_EQ(model.vertices[2].texCoord.u, 0.5f);
    EXPECT_EQ(model.vertices[2].texCoord.v, 0.5f);

    // Off the origin the box's minimum is subtracted first.
    ASSERT_TRUE(parsePositionNormal({{-4, 10, 7}, {4, 10, 9}}));
    EXPECT_EQ(model.vertices[0].texCoord.u, 0.0f);
    EXPECT_EQ(model.vertices[1].texCoord.u, 1.0f);
    EXPECT_EQ(model.vertices[1].texCoord.v, 1.0f);
    EXPECT_TRUE(capture.errors.empty());
}

TEST_F(A3fReaderTest, FlatModelsGetZeroCoordinatesButALineIsRefused) {
    ASSERT_TRUE(parsePositionNormal({{1, 0, 0}, {1, 5, 0}, {1, 0, 3}}));
    EXPECT_EQ(model.vertices[1].texCoord.u, 0.0f);
    EXPECT_EQ(model.vertices[1].texCoord.v, 0.0f);
    EXPECT_EQ(model.vertices[2].texCoord.v, 0.0f);

    EXPECT_FALSE(parsePositionNormal({{0, 0, 0}, {5, 0, 0}}));
    ASSERT_EQ(capture.errors.size(), 1u);
    EXPECT_EQ(capture.errors[0], errorText("Bad model:", "1 dimensional"));
}

TEST_F(A3fReaderTest, LaterMaterialBlocksOverwriteEarlierOnes) {
    ASSERT_TRUE(parse(std::string("A3F ") + TRIANGLE_VERTICES + TRIANGLE_FACES +
                      "MATERIALS { 2\n"
                      "{ NAME first DIFFUSE 1 0 0 1 TEXTURE { FILE a.bmp ALPHA RED_MASK } }\n"
                      "{ DIFFUSE 0 0 1 1 SPECULAR 1 1 1 1 UNKNOWN } }"));
    EXPECT_EQ(model.material.diffuse.r, 0.0f);
    EXPECT_EQ(model.material.diffuse.b, 1.0f);
    EXPECT_EQ(model.material.specular.g, 1.0f);
    EXPECT_STREQ(model.material.name, "first");
    EXPECT_STREQ(model.material.textureFile, "");
    EXPECT_EQ(model.material.alphaMode, AlphaMode::RED_MASK);
    EXPECT_TRUE(capture.textureRequests.empty());
}

TEST_F(A3fReaderTest, TextureBlocksKeepTheMaterialOpenAndReadAlphaWords) {
    const std::string geometry = std::string("A3F ") + TRIANGLE_VERTICES + TRIANGLE_FACES;
    ASSERT_TRUE(parse(geometry + "MATERIALS { 1 { TEXTURE { { FILE t.jpg ALPHA 0.5 } "
                                 "SHININESS 20 AMBIENT 0.1 0.2 0.3 0.4 EMISSION 1 1 0 1 } }"));
    EXPECT_EQ(model.material.alphaMode, AlphaMode::VALUE);
    EXPECT_EQ(model.material.alphaValue, 0.5f);
    EXPECT_EQ(model.material.shininess, 20u);
    EXPECT_EQ(model.material.ambient.a, 0.4f);
    EXPECT_EQ(model.material.emission.g, 1.0f);
    ASSERT_EQ(capture.textureRequests.size(), 1u);
    EXPECT_EQ(capture.textureRequests[0].fileName, "t.jpg");
    EXPECT_EQ(capture.textureRequests[0].alphaMode, AlphaMode::VALUE);
    EXPECT_EQ(capture.textureRequests[0].alphaValue, 0.5f);

    // Keywords are case-sensitive: "none" is a value word that begins with no number.
    ASSERT_TRUE(parse(geometry + "MATERIALS { 1 { TEXTURE { FILE t.jpg ALPHA none } } }"));
    EXPECT_EQ(model.material.alphaMode, AlphaMode::VALUE);
    EXPECT_EQ(model.material.alphaValue, 0.0f);

    ASSERT_TRUE(parse(geometry + "MATERIALS { 1 { TEXTURE { FILE t.jpg ALPHA ILLUMINANCE } } }"));
    EXPECT_EQ(model.material.alphaMode, AlphaMode::ILLUMINANCE);
    ASSERT_TRUE(parse(geometry + "MATERIALS { 1 { TEXTURE { FILE t.jpg ALPHA BLUE_MASK } } }"));
    EXPECT_EQ(model.material.alphaMode, AlphaMode::BLUE_MASK);
}

TEST_F(A3fReaderTest, ASecondLoadKeepsTheMaterialButResetsTheAlphaMode) {
    ASSERT_TRUE(parse(std::string("A3F ") + TRIANGLE_VERTICES + TRIANGLE_FACES +
                      "MATERIALS { 1 { DIFFUSE 1 1 0 1 TEXTURE { FILE t.jpg ALPHA LUMINANCE } } }"));
    ASSERT_EQ(model.material.alphaMode, AlphaMode::LUMINANCE);
    ASSERT_TRUE(parse(std::string("A3F VERTICES { POSITION_TEXCOORDS 1 0 0 0 0 0 } "
                                  "FACES { 2 0 0 0 0 0 0 0 0 }")));
    EXPECT_EQ(model.material.alphaMode, AlphaMode::NONE);
    EXPECT_EQ(model.material.diffuse.g, 1.0f);
    EXPECT_EQ(model.vertexCount, 1u);
    EXPECT_EQ(model.faceCount, 2u);
    // The file name stays, so the texture is asked for again.
    EXPECT_EQ(capture.textureRequests.size(), 2u);
}
}  // namespace
