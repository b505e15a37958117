#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Display lists for an OpenGL that has none (WebGL under Emscripten's
// fixed-function emulation): the calls made between glNewList and glEndList are
// kept as they come, and each glBegin/glEnd block becomes a range of one vertex
// array, drawn at once when the list is called. Plain data: the calls are
// numbered as OpenGL numbers them, and nothing here talks to OpenGL.

// One vertex as the block gave it, with the current normal and texture
// coordinates at the time (those the list set before it, when the block set none).
struct ListVertex {
    float position[3];
    float normal[3];
    float texCoord[2];
};

enum class ListCallKind : std::uint8_t {
    COLOR,     // values: red, green, blue, alpha
    MATERIAL,  // first: face, second: parameter, values: up to four
    ENABLE,    // first: capability
    DISABLE,   // first: capability
    TEX_ENV,   // first: target, second: parameter, integer: value
    DRAW,      // first: primitive mode; vertices [firstVertex, firstVertex + vertexCount)
};

struct ListCall {
    ListCallKind kind = ListCallKind::COLOR;
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    std::int32_t integer = 0;
    float values[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    std::size_t firstVertex = 0;
    std::size_t vertexCount = 0;
    // For DRAW: whether the list gave normals and texture coordinates by then;
    // without them the block takes what is current when the list is called.
    bool hasNormals = false;
    bool hasTexCoords = false;
};

struct RecordedList {
    std::vector<ListCall> calls;
    std::vector<ListVertex> vertices;
};

// Records one list at a time. Calls outside begin()/end() are not taken; a
// vertex outside a block, or a block left open at end(), is dropped as OpenGL
// would refuse it.
class GlListRecorder {
public:
    void begin();
    bool recording() const { return recording_; }
    // The list as recorded; the recorder is idle again.
    RecordedList end();

    void color(const float rgba[4]);
    void material(std::uint32_t face, std::uint32_t parameter, const float* values, int count);
    void enable(std::uint32_t capability);
    void disable(std::uint32_t capability);
    void texEnv(std::uint32_t target, std::uint32_t parameter, std::int32_t value);

    void beginBlock(std::uint32_t mode);
    void texCoord(float u, float v);
    void normal(float x, float y, float z);
    void vertex(float x, float y, float z);
    void endBlock();

private:
    void add(const ListCall& call);

    bool recording_ = false;
    bool inBlock_ = false;
    RecordedList list_;
    ListCall block_;
    ListVertex current_ = {{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {0.0f, 0.0f}};
    bool normalGiven_ = false;
    bool texCoordGiven_ = false;
};
