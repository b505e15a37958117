#include "model/ModelTextures.h"

#include "model/TextureCache.h"

namespace {
TextureCreator& textureCreator() {
    static TextureCreator creator;
    return creator;
}
}  // namespace

std::uint32_t createModelTexture(const char* fileName, AlphaMode alphaMode, float alphaValue) {
    if (textureCreator()) {
        return textureCreator()(fileName, alphaMode, alphaValue);
    }
    return createTexture(fileName, alphaMode, alphaValue);
}

void setTextureCreatorForTesting(TextureCreator creator) { textureCreator() = std::move(creator); }
