#pragma once

#include <cstdint>
#include <cstdlib>

#include "model/AlphaRules.h"
#include "model/ImageSize.h"

// What the game does next with a decoded picture: a texture widens it in place to
// 4 bytes a pixel, which touches every byte the loader promised. A picture beyond
// the size rule is a finding too.
inline void checkDecodedImage(std::uint8_t* image, int width, int height, std::uint8_t modeByte) {
    if (image == nullptr) {
        return;
    }
    if (!imageSizeAllowed(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height))) {
        __builtin_trap();
    }
    convertToRgba(image, width, height, static_cast<AlphaMode>(modeByte % (VALUE + 1)));
    std::free(image);
}
