#include <gtest/gtest.h>

#include <string>

#include "model/ModelTestSupport.h"

namespace {
const std::string VERTICES = "VERTICES { POSITION_TEXCOORDS 3  0 0 0 0 0  1 0 0 1 0  0 1 0 0 1 }\n";
const std::string FACES = "FACES { 1 0 1 2 0 }\n";

// Every damaged file must end in exactly one message and a model that stays
// undrawn, never in a crash, a hang or a read past the data.
class A3fMalformedTest : public ::testing::Test {
protected:
    TempMediaDir media;
    ModelTestCapture capture;

    std::string rejectionOf(const std::string& text) {
        capture.errors.clear();
        media.write("bad.a3f", text);
        Model model;
        bool loaded = model.parseA3f("bad.a3f");
        EXPECT_FALSE(loaded) << text.substr(0, 200);
        EXPECT_EQ(model.visible, 0);
        EXPECT_EQ(capture.errors.size(), 1u);
        return capture.errors.empty() ? std::string() : capture.errors[0];
    }

    static std::string badModel(const std::string& problem) {
        return errorText("Bad model:", problem + " (bad.a3f)");
    }
};

TEST_F(A3fMalformedTest, UnknownVertexFormatNamesTheWord) {
    EXPECT_EQ(rejectionOf("A3F VERTICES { POSITION_COLOR 1 0 0 0 } " + FACES),
              errorText("Bad vertex format:", "POSITION_COLOR"));
    EXPECT_EQ(rejectionOf("A3F VERTICES { position_normal 1 0 0 0 0 0 1 } " + FACES),
              errorText("Bad vertex format:", "position_normal"));
}

TEST_F(A3fMalformedTest, CountsBeyondAMillionOrBeyondTheFileAreRefusedBeforeAllocating) {
    EXPECT_EQ(rejectionOf("A3F VERTICES { POSITION_TEXCOORDS 1000001 0 0 0 0 0 } " + FACES),
              badModel("count too large in VERTICES"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + "FACES { 4000000000 0 1 2 0 }"),
              badModel("count too large in FACES"));
    // A count the rest of the file cannot hold ends the file early, and is refused
    // before allocating too: a few bytes claiming a million vertices cost nothing.
    EXPECT_EQ(rejectionOf("A3F VERTICES { POSITION_TEXCOORDS 1000000 0 0 0 0 0 } " + FACES),
              badModel("file ends early in VERTICES"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + "FACES { 3 0 1 2 0 }"),
              badModel("file ends early in FACES"));
    // More than 32 bits is no count at all.
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + "FACES { 99999999999 0 1 2 0 }"),
              badModel("malformed whole number in FACES"));
}

TEST_F(A3fMalformedTest, FaceIndicesMustNameAnExistingVertex) {
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + "FACES { 1 0 1 3 0 }"),
              badModel("face index out of range"));
    // Faces may come first; they are checked against the vertices read later.
    EXPECT_EQ(rejectionOf("A3F FACES { 1 0 1 5 0 } " + VERTICES),
              badModel("face index out of range"));
    // A later VERTICES section with fewer vertices invalidates earlier faces.
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "VERTICES { POSITION_TEXCOORDS 1 0 0 0 0 0 }"),
              badModel("face index out of range"));
}

TEST_F(A3fMalformedTest, FilesThatEndEarlyAreRefused) {
    EXPECT_EQ(rejectionOf("A3F VERTICES { POSITION_TEXCOORDS 3 0 0 0 0 0 1 0"),
              badModel("file ends early in VERTICES"));
    EXPECT_EQ(rejectionOf("A3F VERTICES {"), badModel("file ends early in VERTICES"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + "FACES { 2 0 1 2 0 0 1"),
              badModel("file ends early in FACES"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "MATERIALS { 2 { DIFFUSE 1 1 1 1 }"),
              badModel("file ends early in MATERIALS"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "MATERIALS { 1 { DIFFUSE 1 1"),
              badModel("file ends early in MATERIALS"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "MATERIALS { 1 { TEXTURE { FILE"),
              badModel("file ends early in MATERIALS"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "MATERIALS"),
              badModel("file ends early in MATERIALS"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "VERSION {"),
              badModel("file ends early in VERSION"));
}

TEST_F(A3fMalformedTest, MalformedNumbersAreRefused) {
    EXPECT_EQ(rejectionOf("A3F VERTICES { POSITION_TEXCOORDS 1 0 zero 0 0 0 } " + FACES),
              badModel("malformed number in VERTICES"));
    EXPECT_EQ(rejectionOf("A3F VERTICES { POSITION_TEXCOORDS 1 0 1e999 0 0 0 } " + FACES),
              badModel("malformed number in VERTICES"));
    EXPECT_EQ(rejectionOf("A3F VERTICES { POSITION_TEXCOORDS 1 0 . 0 0 0 } " + FACES),
              badModel("malformed number in VERTICES"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + "FACES { 1 0 -1 2 0 }"),
              badModel("malformed whole number in FACES"));
    EXPECT_EQ(rejectionOf("A3F VERTICES { POSITION_TEXCOORDS three } " + FACES),
              badModel("malformed whole number in VERTICES"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "MATERIALS { 1 { SHININESS high } }"),
              badModel("malformed whole number in MATERIALS"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "MATERIALS { 1 { DIFFUSE 1 1 x 1 } }"),
              badModel("malformed number in MATERIALS"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "VERSION { one }"),
              badModel("malformed number in VERSION"));
}

TEST_F(A3fMalformedTest, WordsLongerThan259CharactersAreRefusedAnywhere) {
    const std::string longest(259, 'n');
    const std::string tooLong(260, 'n');
    EXPECT_EQ(rejectionOf("A3F " + tooLong + " " + VERTICES + FACES),
              badModel("word longer than 259 characters in the file"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "MATERIALS { 1 { NAME " + tooLong + " } }"),
              badModel("word longer than 259 characters in MATERIALS"));
    EXPECT_EQ(rejectionOf("A3F " + VERTICES + FACES + "MATERIALS { 1 { TEXTURE { FILE " +
                          tooLong + " } } }"),
              badModel("word longer than 259 characters in MATERIALS"));
    EXPECT_EQ(rejectionOf("A3F COMMENT { " + tooLong + " } " + VERTICES + FACES),
              badModel("word longer than 259 characters in COMMENT"));
    EXPECT_EQ(rejectionOf("A3F VERTICES { POSITION_TEXCOORDS 1 0 0 0 0 " +
                          std::string(300, '1') + " } " + FACES),
              badModel("malformed number in VERTICES"));

    // 259 characters still fit the fields, with their terminating NUL.
    media.write("long.a3f", "A3F " + VERTICES + FACES + "MATERIALS { 1 { NAME " + longest +
                                " TEXTURE { FILE " + longest + " } } }");
    Model model;
    ASSERT_TRUE(model.parseA3f("long.a3f"));
    EXPECT_EQ(std::string(model.material.name), longest);
    EXPECT_EQ(std::string(model.material.textureFile), longest);
}

TEST_F(A3fMalformedTest, AFileNameTooLongForAPathIsReportedByName) {
    const std::string name(300, 'x');
    Model model;
    EXPECT_FALSE(model.parseA3f(name.c_str()));
    ASSERT_EQ(capture.errors.size(), 1u);
    EXPECT_EQ(capture.errors[0], errorText("Could not open file:", name));
}
}  // namespace
