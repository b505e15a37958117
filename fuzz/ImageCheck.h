#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/AlphaRules.h"
#include "model/ImageSize.h"

// Runs an image decoder on any bytes, as loadImage hands it a file read whole, and
// does with a decoded picture what the game does next: a texture widens it in
// place to 4 bytes a pixel, which touches every byte the loader promised. A
// picture beyond the size rule is a finding too.
template <typename Decoder>
int fuzzImageDecoder(Decoder decode, const std::uint8_t* data, std::size_t size) {
    int width = 0;
    int height = 0;
    std::uint8_t* image = decode(data, size, width, height);
    if (image == nullptr) {
        return 0;
    }
    if (!imageSizeAllowed(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height))) {
        __builtin_trap();
    }
    const int modeCount = static_cast<int>(AlphaMode::VALUE) + 1;
    convertToRgba(image, width, height, static_cast<AlphaMode>(data[size - 1] % modeCount));
    std::free(image);
    return 0;
}
