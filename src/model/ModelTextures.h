#pragma once

#include <cstdint>
#include <functional>

#include "model/Model.h"

// Models ask for their textures through this one call (by default createTexture),
// so that the model reader can run and be checked without an OpenGL context.
using TextureCreator =
    std::function<std::uint32_t(const char* fileName, AlphaMode alphaMode, float alphaValue)>;

std::uint32_t createModelTexture(const char* fileName, AlphaMode alphaMode, float alphaValue);
// An empty creator restores createTexture.
void setTextureCreatorForTesting(TextureCreator creator);
