#pragma once

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/ErrorMessages.h"
#include "model/Model.h"
#include "model/ModelTextures.h"
#include "support/TestSeams.h"

// Points the game's loaders at the repository's own media folder, records every
// message box instead of showing it, and records the textures models ask for.
class RepositoryMedia : public ::testing::Test {
protected:
    struct TextureRequest {
        std::string fileName;
        AlphaMode alphaMode;
    };

    std::string allMessages() const {
        std::string joined;
        for (const std::string& m : messages) joined += m + "\n";
        return joined;
    }

    std::vector<std::string> messages;
    std::vector<TextureRequest> textures;

private:
    ExecutableDirectoryOverride mediaRoot_{ZF_SOURCE_DIR};
    ErrorBoxOverride errorBoxes_{[this](ErrorSeverity, const std::string& caption, const std::string& text) {
        messages.push_back(caption + ": " + text);
        return true;
    }};
    TextureCreatorOverride textureRequests_{[this](const char* fileName, AlphaMode mode, float) {
        textures.push_back(TextureRequest{fileName, mode});
        return 7u;
    }};
};

struct Box {
    Vec3 lo{1e9f, 1e9f, 1e9f};
    Vec3 hi{-1e9f, -1e9f, -1e9f};
};

inline Box boundsOf(const Model& model) {
    Box box;
    for (std::uint32_t i = 0; i < model.vertexCount; ++i) {
        const Vec3& p = model.vertices[i].position;
        box.lo.set(std::fmin(box.lo.x, p.x), std::fmin(box.lo.y, p.y), std::fmin(box.lo.z, p.z));
        box.hi.set(std::fmax(box.hi.x, p.x), std::fmax(box.hi.y, p.y), std::fmax(box.hi.z, p.z));
    }
    return box;
}

// The unnormalised normal of triangle t from its winding (counter-clockwise front).
inline Vec3 windingNormal(const Model& model, std::uint32_t t) {
    const Vec3& a = model.vertices[model.faces[3 * t]].position;
    const Vec3& b = model.vertices[model.faces[3 * t + 1]].position;
    const Vec3& c = model.vertices[model.faces[3 * t + 2]].position;
    return (b - a).cross(c - a);
}

inline float dot3(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }
