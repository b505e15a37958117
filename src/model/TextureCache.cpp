#include "model/TextureCache.h"

#include "platform/OpenGl.h"

#include <cstdlib>
#include <cstring>

#include "core/ErrorMessages.h"
#include "model/AlphaRules.h"
#include "model/Image.h"
#include "platform/Window.h"

namespace {
constexpr std::size_t TEXTURE_NAME_CHARS = 260;

struct TextureSlot {
    char fileName[TEXTURE_NAME_CHARS];
    std::uint32_t texture;
};

// One cache for the program: a texture file is decoded and uploaded once however
// many models name it.
struct TextureCache {
    TextureSlot slots[TEXTURE_SLOTS];
    int count;
    bool highQuality;
};

TextureCache gTextureCache = {};

TextureSlot* findSlot(const char* fileName) {
    for (TextureSlot& slot : gTextureCache.slots) {
        if (std::strcmp(slot.fileName, fileName) == 0) {
            return &slot;
        }
    }
    return nullptr;
}

std::uint32_t refuse(const char* fileName) {
    showError("Unable to load the texture file:", fileName, SEVERITY_ERROR);
    return 0;
}

std::uint32_t uploadTexture(std::uint8_t* pixels, int width, int height, AlphaMode alphaMode) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    convertToRgba(pixels, width, height, alphaMode);
    // Texel rows are 4 bytes a pixel, but say so rather than rely on the default.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0,
                 static_cast<GLint>(textureInternalFormat(alphaMode, gTextureCache.highQuality)),
                 width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return texture;
}
}  // namespace

std::uint32_t createTexture(const char* fileName, AlphaMode alphaMode, float /*alphaValue*/) {
    if (fileName == nullptr || fileName[0] == '\0') {
        return 0;
    }
    // A name that does not fit a slot could only be kept cut short, where it might
    // later match some other file's name.
    if (std::strlen(fileName) >= TEXTURE_NAME_CHARS) {
        return refuse(fileName);
    }
    if (const TextureSlot* known = findSlot(fileName)) {
        return known->texture;
    }
    // With every slot taken a new file cannot be remembered; refuse it rather
    // than write past the table.
    if (gTextureCache.count >= TEXTURE_SLOTS) {
        return refuse(fileName);
    }
    // The name stays in the slot even if the file fails, so that asking again
    // returns 0 without a second message until a good file takes the slot.
    TextureSlot& slot = gTextureCache.slots[gTextureCache.count];
    std::strcpy(slot.fileName, fileName);
    slot.texture = 0;
    int width = 0;
    int height = 0;
    std::uint8_t* pixels = loadImage(fileName, width, height);
    if (pixels == nullptr) {
        return refuse(fileName);
    }
    slot.texture = uploadTexture(pixels, width, height, alphaMode);
    std::free(pixels);
    ++gTextureCache.count;
    return slot.texture;
}

void resetTextureCache(bool highQuality) {
    gTextureCache = TextureCache{};
    gTextureCache.highQuality = highQuality;
}

void releaseTextures() {
    // Releasing the context freed its textures already; then only forget them.
    const bool contextCurrent = platformHasCurrentGlContext();
    for (TextureSlot& slot : gTextureCache.slots) {
        if (slot.texture != 0 && contextCurrent) {
            glDeleteTextures(1, &slot.texture);
        }
        slot.fileName[0] = '\0';
        slot.texture = 0;
    }
    if (contextCurrent) {
        glGetError();
    }
}
