#pragma once

#include <cstdint>
#include <string>

#include "model/A3fTokens.h"
#include "model/Model.h"

// No model of the game comes near this many vertices or faces; a larger count is
// a damaged file, and refusing it keeps a bad number from asking for gigabytes.
constexpr std::uint32_t A3F_MAX_SECTION_ELEMENTS = 1000000;

// Reads the sections of an .a3f text (everything after the "A3F" header) into a
// model. On failure whatThing() and detail() hold the message to show; the model
// keeps what was read before the failure.
class A3fReader {
public:
    A3fReader(Model& model, A3fTokens& tokens, std::string fileName)
        : model_(model), tokens_(tokens), fileName_(std::move(fileName)) {}

    // Reads to the end of the text; false at the first unusable part.
    bool readSections();
    // After readSections: both geometry sections found and every face index valid.
    bool checkComplete();

    const std::string& whatThing() const { return what_; }
    const std::string& detail() const { return detail_; }

private:
    bool readVersion();
    bool skipComment();
    bool readVertices();
    bool readVertex(ModelVertex& vertex, bool withNormal, bool withTexCoords);
    bool generateTexCoords();
    bool readFaces();
    bool readMaterials();
    bool readMaterialBlock();
    bool readTextureBlock();
    bool readClosingWord();

    bool readWord(std::string& word, const char* section);
    bool readFloats(float* values, int count, const char* section);
    bool readUnsigned(std::uint32_t& value, const char* section);
    bool readCount(std::uint32_t& count, const char* section, std::uint32_t numbersPerElement);
    bool failBadModel(const std::string& problem);
    bool failWithStatus(ReadStatus status, const char* section, const char* expected);

    Model& model_;
    A3fTokens& tokens_;
    std::string fileName_;
    bool sawVertices_ = false;
    bool sawFaces_ = false;
    Vec3 boxMin_;
    Vec3 boxMax_;
    std::string what_;
    std::string detail_;
};
