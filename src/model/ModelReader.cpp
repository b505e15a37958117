#include <cstdio>
#include <string>

#include "core/ErrorMessages.h"
#include "core/MediaPath.h"
#include "model/A3fReader.h"
#include "model/A3fTokens.h"
#include "model/Model.h"
#include "model/ModelTextures.h"

namespace {
// Far beyond any sensible model (a million vertices take some 100 MB of text);
// a larger file is not read into memory.
constexpr long MAX_MODEL_FILE_BYTES = 256L * 1024 * 1024;

enum FileResult { FILE_READ, FILE_MISSING, FILE_TOO_LARGE };

FileResult readWholeFile(const char* path, std::string& text) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        return FILE_MISSING;
    }
    FileResult result = FILE_READ;
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0) {
        if (text.size() + got > std::size_t(MAX_MODEL_FILE_BYTES)) {
            result = FILE_TOO_LARGE;
            break;
        }
        text.append(chunk, got);
    }
    std::fclose(file);
    return result;
}

bool fail(const char* what, const std::string& detail) {
    showError(what, detail.c_str(), SEVERITY_ERROR);
    return false;
}
}  // namespace

bool Model::parseA3f(const char* fileName) {
    material.alphaMode = AlphaMode::NONE;

    char path[MAX_PATH_LENGTH];
    if (!makeMediaPath(path, fileName)) {
        // The full path would not fit: name the file as it was asked for.
        return fail("Could not open file:", fileName);
    }
    std::string text;
    FileResult fileResult = readWholeFile(path, text);
    if (fileResult == FILE_MISSING) {
        return fail("Could not open file:", path);
    }
    if (fileResult == FILE_TOO_LARGE) {
        return fail("Bad model:", std::string("file too large (") + fileName + ")");
    }
    return parseA3fText(std::move(text), fileName);
}

bool Model::parseA3fText(std::string text, const char* fileName) {
    material.alphaMode = AlphaMode::NONE;
    A3fTokens tokens(std::move(text));
    std::string header;
    if (tokens.nextWord(header) != READ_OK || header != "A3F") {
        return fail("Not an .a3f file:", fileName);
    }
    A3fReader reader(*this, tokens, fileName);
    if (!reader.readSections() || !reader.checkComplete()) {
        return fail(reader.whatThing().c_str(), reader.detail());
    }

    transform.setIdentity();
    position = Vec3();
    rotation = Vec3();
    visible = 1;
    // A texture that will not load is reported by the texture cache and leaves
    // the model untextured; the model itself is fine.
    material.textureId = material.textureFile[0] != '\0'
                             ? createModelTexture(material.textureFile, material.alphaMode,
                                                  material.alphaValue)
                             : 0;
    return true;
}
