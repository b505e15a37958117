#include <cstdio>
#include <string>
#include <vector>

#include "core/ErrorMessages.h"
#include "core/FileBytes.h"
#include "core/MediaPath.h"
#include "model/A3fReader.h"
#include "model/A3fTokens.h"
#include "model/Model.h"
#include "model/ModelTextures.h"

namespace {
// Far beyond any sensible model (a million vertices take some 100 MB of text);
// a larger file is not read into memory.
constexpr std::size_t MAX_MODEL_FILE_BYTES = 256u * 1024 * 1024;

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
    std::vector<std::uint8_t> bytes;
    const FileBytesResult fileResult = readFileBytes(path, MAX_MODEL_FILE_BYTES, bytes);
    if (fileResult == FILE_BYTES_TOO_LARGE) {
        return fail("Bad model:", std::string("file too large (") + fileName + ")");
    }
    if (fileResult != FILE_BYTES_READ) {
        return fail("Could not open file:", path);
    }
    std::string text(bytes.begin(), bytes.end());
    bytes = std::vector<std::uint8_t>();  // the text is the only copy the reader needs
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
