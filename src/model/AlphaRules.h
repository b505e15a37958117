#pragma once

#include <cstdint>

#include "model/Model.h"

// One texel as uploaded: red, green, blue, alpha.
struct Rgba {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
    std::uint8_t a;
};

// The texel for one image colour under an alpha mode: the alpha computed from the
// colour, and the colour itself (which ILLUMINANCE blackens where nearly clear).
Rgba applyAlphaRule(AlphaMode mode, std::uint8_t r, std::uint8_t g, std::uint8_t b);

// Widens a loadImage buffer (packed blue-green-red, room for 4 bytes a pixel) to
// red-green-blue-alpha texels in place, from the last pixel back to the first so
// that no pixel is overwritten before it is read.
void convertToRgba(std::uint8_t* pixels, int width, int height, AlphaMode mode);

// The internal format a texture is requested in: 8 bits a texel without the
// high-quality option, full colour with it; with alpha unless the mode is NONE.
unsigned textureInternalFormat(AlphaMode mode, bool highQuality);
