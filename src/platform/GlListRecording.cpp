#include "platform/GlListRecording.h"

#include <algorithm>

void GlListRecorder::begin() {
    recording_ = true;
    inBlock_ = false;
    list_ = RecordedList();
    current_ = ListVertex{{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {0.0f, 0.0f}};
    normalGiven_ = false;
    texCoordGiven_ = false;
}

RecordedList GlListRecorder::end() {
    if (inBlock_) {
        list_.vertices.resize(block_.firstVertex);
    }
    recording_ = false;
    inBlock_ = false;
    RecordedList done = std::move(list_);
    list_ = RecordedList();
    return done;
}

void GlListRecorder::add(const ListCall& call) {
    // State changes are refused inside a block, as OpenGL refuses them there.
    if (recording_ && !inBlock_) {
        list_.calls.push_back(call);
    }
}

void GlListRecorder::color(const float rgba[4]) {
    ListCall call;
    call.kind = ListCallKind::COLOR;
    std::copy(rgba, rgba + 4, call.values);
    add(call);
}

void GlListRecorder::material(std::uint32_t face, std::uint32_t parameter, const float* values, int count) {
    ListCall call;
    call.kind = ListCallKind::MATERIAL;
    call.first = face;
    call.second = parameter;
    std::copy(values, values + std::clamp(count, 0, 4), call.values);
    add(call);
}

void GlListRecorder::enable(std::uint32_t capability) {
    ListCall call;
    call.kind = ListCallKind::ENABLE;
    call.first = capability;
    add(call);
}

void GlListRecorder::disable(std::uint32_t capability) {
    ListCall call;
    call.kind = ListCallKind::DISABLE;
    call.first = capability;
    add(call);
}

void GlListRecorder::texEnv(std::uint32_t target, std::uint32_t parameter, std::int32_t value) {
    ListCall call;
    call.kind = ListCallKind::TEX_ENV;
    call.first = target;
    call.second = parameter;
    call.integer = value;
    add(call);
}

void GlListRecorder::beginBlock(std::uint32_t mode) {
    if (!recording_ || inBlock_) {
        return;
    }
    inBlock_ = true;
    block_ = ListCall();
    block_.kind = ListCallKind::DRAW;
    block_.first = mode;
    block_.firstVertex = list_.vertices.size();
}

void GlListRecorder::texCoord(float u, float v) {
    current_.texCoord[0] = u;
    current_.texCoord[1] = v;
    texCoordGiven_ = texCoordGiven_ || recording_;
}

void GlListRecorder::normal(float x, float y, float z) {
    current_.normal[0] = x;
    current_.normal[1] = y;
    current_.normal[2] = z;
    normalGiven_ = normalGiven_ || recording_;
}

void GlListRecorder::vertex(float x, float y, float z) {
    if (!inBlock_) {
        return;
    }
    current_.position[0] = x;
    current_.position[1] = y;
    current_.position[2] = z;
    list_.vertices.push_back(current_);
}

void GlListRecorder::endBlock() {
    if (!inBlock_) {
        return;
    }
    inBlock_ = false;
    block_.vertexCount = list_.vertices.size() - block_.firstVertex;
    block_.hasNormals = normalGiven_;
    block_.hasTexCoords = texCoordGiven_;
    if (block_.vertexCount > 0) {
        list_.calls.push_back(block_);
    }
}
