#pragma once

#include <cstdint>

#include "model/Model.h"

constexpr int TEXTURE_SLOTS = 255;

// Returns the texture for media/<fileName>, made once and shared by name
// (case-sensitive); 0 after an "Unable to load the texture file:" message.
std::uint32_t createTexture(const char* fileName, AlphaMode alphaMode, float alphaValue);
// Empties the cache at start; highQuality chooses full-colour internal formats.
void resetTextureCache(bool highQuality);
// Deletes the cached textures (only while a context is current) and empties it.
void releaseTextures();
