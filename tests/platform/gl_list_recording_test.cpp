#include <gtest/gtest.h>

#include <vector>

#include "platform/GlListRecording.h"

namespace {
constexpr std::uint32_t TRIANGLES = 0x0004;
constexpr std::uint32_t BLEND = 0x0BE2;
constexpr std::uint32_t FRONT = 0x0404;
constexpr std::uint32_t DIFFUSE = 0x1201;
constexpr std::uint32_t SHININESS = 0x1601;

std::vector<ListCallKind> kinds(const RecordedList& list) {
    std::vector<ListCallKind> result;
    for (const ListCall& call : list.calls) {
        result.push_back(call.kind);
    }
    return result;
}
}  // namespace

// A model's list as the game compiles it: state, one block, state back.
TEST(GlListRecorderTest, KeepsStateCallsInOrderAroundOneArrayPerBlock) {
    GlListRecorder recorder;
    recorder.begin();
    const float red[4] = {1.0f, 0.0f, 0.0f, 0.5f};
    const float shininess = 20.0f;
    recorder.color(red);
    recorder.material(FRONT, DIFFUSE, red, 4);
    recorder.material(FRONT, SHININESS, &shininess, 1);
    recorder.enable(BLEND);
    recorder.beginBlock(TRIANGLES);
    for (int corner = 0; corner < 3; ++corner) {
        recorder.texCoord(0.5f * corner, 1.0f);
        recorder.normal(0.0f, 1.0f, 0.0f);
        recorder.vertex(static_cast<float>(corner), 2.0f, 3.0f);
    }
    recorder.endBlock();
    recorder.disable(BLEND);
    const RecordedList list = recorder.end();

    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(kinds(list), (std::vector<ListCallKind>{ListCallKind::COLOR, ListCallKind::MATERIAL,
                                                      ListCallKind::MATERIAL, ListCallKind::ENABLE,
                                                      ListCallKind::DRAW, ListCallKind::DISABLE}));
    EXPECT_FLOAT_EQ(list.calls[0].values[3], 0.5f);
    EXPECT_EQ(list.calls[2].second, SHININESS);
    EXPECT_FLOAT_EQ(list.calls[2].values[0], 20.0f);
    EXPECT_EQ(list.calls[3].first, BLEND);
    const ListCall& draw = list.calls[4];
    EXPECT_EQ(draw.first, TRIANGLES);
    EXPECT_EQ(draw.firstVertex, 0u);
    EXPECT_EQ(draw.vertexCount, 3u);
    EXPECT_TRUE(draw.hasNormals);
    EXPECT_TRUE(draw.hasTexCoords);
    ASSERT_EQ(list.vertices.size(), 3u);
    EXPECT_FLOAT_EQ(list.vertices[2].position[0], 2.0f);
    EXPECT_FLOAT_EQ(list.vertices[2].texCoord[0], 1.0f);
    EXPECT_FLOAT_EQ(list.vertices[1].normal[1], 1.0f);
}

// OpenGL's current values: a vertex takes the last normal and texture
// coordinates given, and a block given none says so, to take them when called.
TEST(GlListRecorderTest, VerticesTakeTheCurrentAttributesAndBlocksSayWhichTheyHad) {
    GlListRecorder recorder;
    recorder.begin();
    recorder.beginBlock(TRIANGLES);
    recorder.vertex(0.0f, 0.0f, 0.0f);
    recorder.vertex(1.0f, 0.0f, 0.0f);
    recorder.vertex(0.0f, 1.0f, 0.0f);
    recorder.endBlock();
    recorder.normal(1.0f, 0.0f, 0.0f);
    recorder.beginBlock(TRIANGLES);
    recorder.vertex(0.0f, 0.0f, 1.0f);
    recorder.texCoord(0.25f, 0.75f);
    recorder.vertex(1.0f, 0.0f, 1.0f);
    recorder.vertex(0.0f, 1.0f, 1.0f);
    recorder.endBlock();
    const RecordedList list = recorder.end();

    ASSERT_EQ(list.calls.size(), 2u);
    EXPECT_FALSE(list.calls[0].hasNormals);
    EXPECT_FALSE(list.calls[0].hasTexCoords);
    EXPECT_EQ(list.calls[1].firstVertex, 3u);
    EXPECT_TRUE(list.calls[1].hasNormals);
    EXPECT_TRUE(list.calls[1].hasTexCoords);
    EXPECT_FLOAT_EQ(list.vertices[0].normal[2], 1.0f);  // OpenGL's first normal: (0, 0, 1)
    EXPECT_FLOAT_EQ(list.vertices[3].normal[0], 1.0f);
    EXPECT_FLOAT_EQ(list.vertices[3].texCoord[0], 0.0f);
    EXPECT_FLOAT_EQ(list.vertices[5].texCoord[1], 0.75f);
}

// What OpenGL refuses leaves nothing behind: a vertex outside a block, a state
// change inside one, a block left open, calls made while no list is recorded.
TEST(GlListRecorderTest, WhatOpenGlRefusesLeavesNothing) {
    GlListRecorder recorder;
    recorder.enable(BLEND);
    recorder.beginBlock(TRIANGLES);
    recorder.vertex(0.0f, 0.0f, 0.0f);
    recorder.endBlock();
    recorder.begin();
    EXPECT_TRUE(recorder.recording());
    recorder.vertex(9.0f, 9.0f, 9.0f);
    recorder.beginBlock(TRIANGLES);
    recorder.vertex(0.0f, 0.0f, 0.0f);
    recorder.enable(BLEND);
    recorder.vertex(1.0f, 0.0f, 0.0f);
    recorder.vertex(0.0f, 1.0f, 0.0f);
    recorder.endBlock();
    recorder.beginBlock(TRIANGLES);
    recorder.vertex(5.0f, 5.0f, 5.0f);
    const RecordedList list = recorder.end();

    EXPECT_EQ(kinds(list), std::vector<ListCallKind>{ListCallKind::DRAW});
    ASSERT_EQ(list.vertices.size(), 3u);
    EXPECT_FLOAT_EQ(list.vertices[0].position[0], 0.0f);
}
