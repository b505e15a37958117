#include "model/A3fReader.h"

#include <algorithm>
#include <new>

namespace {
// The bounding box starts inverted at these bounds and widens with every vertex.
constexpr float BOX_START = 100000.0f;
}  // namespace

bool A3fReader::readSections() {
    std::string word;
    for (;;) {
        ReadStatus status = tokens_.nextWord(word);
        if (status == READ_END) {
            return true;
        }
        if (status != READ_OK) {
            return failWithStatus(status, "the file", nullptr);
        }
        tokens_.skipCharIfNext('{');
        bool ok = true;
        if (word == "VERSION") {
            ok = readVersion();
        } else if (word == "COMMENT") {
            ok = skipComment();
        } else if (word == "VERTICES") {
            ok = readVertices();
        } else if (word == "FACES") {
            ok = readFaces();
        } else if (word == "MATERIALS") {
            ok = readMaterials();
        }
        // Any other word is passed over, one at a time: unknown sections and the
        // closing brace of MATERIALS end up here.
        if (!ok) {
            return false;
        }
    }
}

bool A3fReader::checkComplete() {
    if (!sawVertices_) {
        what_ = "Failed to find section VERTICES:";
        detail_ = fileName_;
        return false;
    }
    if (!sawFaces_) {
        what_ = "Failed to find section FACES:";
        detail_ = fileName_;
        return false;
    }
    // Sections come in any order, so indices can only be checked once both are in.
    const std::uint32_t indexCount = model_.faceCount * 3;
    for (std::uint32_t k = 0; k < indexCount; ++k) {
        if (model_.faces[k] >= model_.vertexCount) {
            return failBadModel("face index out of range");
        }
    }
    return true;
}

bool A3fReader::readVersion() {
    float unused = 0.0f;
    if (!readFloats(&unused, 1, "VERSION")) {
        return false;
    }
    tokens_.skipCharIfNext('}');
    return true;
}

bool A3fReader::skipComment() {
    std::string word;
    for (;;) {
        ReadStatus status = tokens_.nextWord(word);
        if (status == READ_END || (status == READ_OK && word == "}")) {
            return true;
        }
        if (status != READ_OK) {
            return failWithStatus(status, "COMMENT", nullptr);
        }
    }
}

bool A3fReader::readVertices() {
    std::string format;
    if (!readWord(format, "VERTICES")) {
        return false;
    }
    model_.hasNormals = false;
    bool withNormal = false;
    bool withTexCoords = false;
    if (format == "POSITION_NORMAL_TEXCOORDS") {
        withNormal = true;
        withTexCoords = true;
    } else if (format == "POSITION_TEXCOORDS") {
        withTexCoords = true;
    } else if (format == "POSITION_NORMAL") {
        withNormal = true;
    } else {
        what_ = "Bad vertex format:";
        detail_ = format;
        return false;
    }
    model_.hasNormals = withNormal;

    const std::uint32_t numbersPerVertex = 3 + (withNormal ? 3 : 0) + (withTexCoords ? 2 : 0);
    std::uint32_t count = 0;
    if (!readCount(count, "VERTICES", numbersPerVertex)) {
        return false;
    }
    ModelVertex* fresh = new (std::nothrow) ModelVertex[count];
    if (fresh == nullptr) {
        return failBadModel("not enough memory for the vertices");
    }
    if (!model_.isCopy) {
        delete[] model_.vertices;
    }
    model_.vertices = fresh;
    model_.vertexCount = count;
    sawVertices_ = true;

    boxMin_ = Vec3(BOX_START, BOX_START, BOX_START);
    boxMax_ = Vec3(-BOX_START, -BOX_START, -BOX_START);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!readVertex(model_.vertices[i], withNormal, withTexCoords)) {
            return false;
        }
    }
    if (!withTexCoords && !generateTexCoords()) {
        return false;
    }
    return readClosingWord();
}

bool A3fReader::readVertex(ModelVertex& vertex, bool withNormal, bool withTexCoords) {
    Vec3& p = vertex.position;
    float position[3];
    if (!readFloats(position, 3, "VERTICES")) {
        return false;
    }
    p.set(position[0], position[1], position[2]);
    boxMin_.set(std::min(boxMin_.x, p.x), std::min(boxMin_.y, p.y), std::min(boxMin_.z, p.z));
    boxMax_.set(std::max(boxMax_.x, p.x), std::max(boxMax_.y, p.y), std::max(boxMax_.z, p.z));
    if (withNormal) {
        float normal[3];
        if (!readFloats(normal, 3, "VERTICES")) {
            return false;
        }
        vertex.normal.set(normal[0], normal[1], normal[2]);
    }
    if (withTexCoords) {
        float texCoord[2];
        if (!readFloats(texCoord, 2, "VERTICES")) {
            return false;
        }
        vertex.texCoord.set(texCoord[0], texCoord[1]);
    }
    return true;
}

// Stretches the texture once across the x extent and the larger of the other two
// (z on a tie). With no x extent the coordinates stay zero.
bool A3fReader::generateTexCoords() {
    const float xExtent = boxMax_.x - boxMin_.x;
    if (boxMin_.x == boxMax_.x) {
        return true;
    }
    const float yExtent = boxMax_.y - boxMin_.y;
    const float zExtent = boxMax_.z - boxMin_.z;
    const bool secondIsY = yExtent > zExtent;
    const float secondMin = secondIsY ? boxMin_.y : boxMin_.z;
    const float secondExtent = secondIsY ? yExtent : zExtent;
    if (secondExtent == 0.0f) {
        what_ = "Bad model:";
        detail_ = "1 dimensional";
        return false;
    }
    for (std::uint32_t i = 0; i < model_.vertexCount; ++i) {
        ModelVertex& vertex = model_.vertices[i];
        const float second = secondIsY ? vertex.position.y : vertex.position.z;
        vertex.texCoord.set((vertex.position.x - boxMin_.x) / xExtent,
                            (second - secondMin) / secondExtent);
    }
    return true;
}

bool A3fReader::readFaces() {
    std::uint32_t count = 0;
    constexpr std::uint32_t NUMBERS_PER_FACE = 4;  // three corners and an unused fourth
    if (!readCount(count, "FACES", NUMBERS_PER_FACE)) {
        return false;
    }
    std::uint32_t* fresh = new (std::nothrow) std::uint32_t[std::size_t(count) * 3]();
    if (fresh == nullptr) {
        return failBadModel("not enough memory for the faces");
    }
    if (!model_.isCopy) {
        delete[] model_.faces;
    }
    model_.faces = fresh;
    model_.faceCount = count;
    sawFaces_ = true;

    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t unusedFourth = 0;
        for (int corner = 0; corner < 3; ++corner) {
            if (!readUnsigned(model_.faces[i * 3 + corner], "FACES")) {
                return false;
            }
        }
        if (!readUnsigned(unusedFourth, "FACES")) {
            return false;
        }
    }
    return readClosingWord();
}

// The word after a VERTICES or FACES list is taken as its closing brace whatever it
// is; a brace right after it is swallowed too.
bool A3fReader::readClosingWord() {
    std::string closing;
    ReadStatus status = tokens_.nextWord(closing);
    if (status == READ_MALFORMED) {
        return failWithStatus(status, "the file", nullptr);
    }
    tokens_.skipCharIfNext('}');
    return true;
}
