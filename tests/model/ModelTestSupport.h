#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/ErrorMessages.h"
#include "model/Model.h"
#include "model/ModelTextures.h"
#include "support/TempMediaDir.h"
#include "support/TestSeams.h"

// The text an "ERROR" box shows for one failure.
inline std::string errorText(const std::string& what, const std::string& detail) {
    return what + " " + detail + " The application will continue.";
}

// Captures error boxes instead of showing them, and records which textures the
// models ask for instead of making them, while the object lives.
class ModelTestCapture {
public:
    struct TextureRequest {
        std::string fileName;
        AlphaMode alphaMode;
        float alphaValue;
    };

    std::vector<std::string> errors;
    std::vector<TextureRequest> textureRequests;
    std::uint32_t textureToReturn = 7;

private:
    ErrorBoxOverride errorBoxes_{[this](ErrorSeverity, const std::string&, const std::string& text) {
        errors.push_back(text);
        return true;
    }};
    TextureCreatorOverride textures_{[this](const char* fileName, AlphaMode mode, float value) {
        textureRequests.push_back({fileName, mode, value});
        return textureToReturn;
    }};
};
