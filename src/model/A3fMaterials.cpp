#include <cstring>

#include "model/A3fReader.h"

namespace {
struct AlphaWord {
    const char* word;
    AlphaMode mode;
};

constexpr AlphaWord ALPHA_WORDS[] = {
    {"NONE", AlphaMode::NONE},
    {"LUMINANCE", AlphaMode::LUMINANCE},
    {"ILLUMINANCE", AlphaMode::ILLUMINANCE},
    {"BLACK_MASK", AlphaMode::BLACK_MASK},
    {"RED", AlphaMode::RED},
    {"GREEN", AlphaMode::GREEN},
    {"BLUE", AlphaMode::BLUE},
    {"RED_MASK", AlphaMode::RED_MASK},
    {"GREEN_MASK", AlphaMode::GREEN_MASK},
    {"BLUE_MASK", AlphaMode::BLUE_MASK},
};

void copyWord(char (&field)[260], const std::string& word) {
    // Words are at most 259 characters, so the copy always fits with its NUL.
    std::strncpy(field, word.c_str(), sizeof(field) - 1);
    field[sizeof(field) - 1] = '\0';
}

void setAlpha(Material& material, const std::string& word) {
    for (const AlphaWord& entry : ALPHA_WORDS) {
        if (word == entry.word) {
            material.alphaMode = entry.mode;
            return;
        }
    }
    material.alphaMode = AlphaMode::VALUE;
    material.alphaValue = leadingNumber(word);
}
}  // namespace

// Every block writes into the model's one material, in file order.
bool A3fReader::readMaterials() {
    std::uint32_t count = 0;
    if (!readUnsigned(count, "MATERIALS")) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!readMaterialBlock()) {
            return false;
        }
    }
    return true;
}

bool A3fReader::readMaterialBlock() {
    Material& material = model_.material;
    material.textureFile[0] = '\0';
    std::string word;
    if (!readWord(word, "MATERIALS")) {  // the block's opening brace
        return false;
    }
    for (;;) {
        if (!readWord(word, "MATERIALS")) {
            return false;
        }
        bool ok = true;
        if (word == "}") {
            return true;
        } else if (word == "NAME") {
            std::string name;
            ok = readWord(name, "MATERIALS");
            if (ok) {
                copyWord(material.name, name);
            }
        } else if (word == "AMBIENT") {
            ok = readFloats(material.ambient.data(), 4, "MATERIALS");
        } else if (word == "DIFFUSE") {
            ok = readFloats(material.diffuse.data(), 4, "MATERIALS");
        } else if (word == "SPECULAR") {
            ok = readFloats(material.specular.data(), 4, "MATERIALS");
        } else if (word == "EMISSION") {
            ok = readFloats(material.emission.data(), 4, "MATERIALS");
        } else if (word == "SHININESS") {
            ok = readUnsigned(material.shininess, "MATERIALS");
        } else if (word == "TEXTURE") {
            ok = readTextureBlock();
        }
        if (!ok) {
            return false;
        }
    }
}

// Its closing brace ends only the texture block; the material goes on.
bool A3fReader::readTextureBlock() {
    Material& material = model_.material;
    std::string word;
    for (;;) {
        if (!readWord(word, "MATERIALS")) {
            return false;
        }
        if (word == "}") {
            return true;
        }
        if (word == "FILE") {
            std::string file;
            if (!readWord(file, "MATERIALS")) {
                return false;
            }
            copyWord(material.textureFile, file);
        } else if (word == "ALPHA") {
            std::string alpha;
            if (!readWord(alpha, "MATERIALS")) {
                return false;
            }
            setAlpha(material, alpha);
        }
    }
}

bool A3fReader::readWord(std::string& word, const char* section) {
    ReadStatus status = tokens_.nextWord(word);
    return status == READ_OK || failWithStatus(status, section, nullptr);
}

bool A3fReader::readFloats(float* values, int count, const char* section) {
    for (int i = 0; i < count; ++i) {
        ReadStatus status = tokens_.nextFloat(values[i]);
        if (status != READ_OK) {
            return failWithStatus(status, section, "number");
        }
    }
    return true;
}

bool A3fReader::readUnsigned(std::uint32_t& value, const char* section) {
    ReadStatus status = tokens_.nextUnsigned(value);
    return status == READ_OK || failWithStatus(status, section, "whole number");
}

// A count is refused before anything is allocated for it when it is beyond any
// model of the game, or beyond what the rest of the file could hold (each number
// takes at least one character: the file ends early), so a short file cannot ask
// for megabytes.
bool A3fReader::readCount(std::uint32_t& count, const char* section,
                          std::uint32_t numbersPerElement) {
    if (!readUnsigned(count, section)) {
        return false;
    }
    if (count > A3F_MAX_SECTION_ELEMENTS) {
        return failBadModel(std::string("count too large in ") + section);
    }
    if (std::size_t(count) * numbersPerElement > tokens_.remaining()) {
        return failWithStatus(READ_END, section, nullptr);
    }
    return true;
}

bool A3fReader::failBadModel(const std::string& problem) {
    what_ = "Bad model:";
    detail_ = problem + " (" + fileName_ + ")";
    return false;
}

// expected names what was wanted when a number was; null for words.
bool A3fReader::failWithStatus(ReadStatus status, const char* section, const char* expected) {
    if (status == READ_END) {
        return failBadModel(std::string("file ends early in ") + section);
    }
    if (expected != nullptr) {
        return failBadModel(std::string("malformed ") + expected + " in " + section);
    }
    return failBadModel(std::string("word longer than 259 characters in ") + section);
}
