#include "model/AlphaRules.h"

#include "platform/OpenGl.h"

#include <cstddef>

namespace {
// A strongly red pixel: red is most of the colour and bright.
constexpr float RED_MASK_SHARE = 0.75f;
constexpr int RED_MASK_MIN_RED = 128;
// ILLUMINANCE turns pixels whose alpha falls below this black.
constexpr int ILLUMINANCE_BLACK_BELOW = 20;
constexpr std::uint8_t OPAQUE = 255;
}  // namespace

Rgba applyAlphaRule(AlphaMode mode, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const int sum = r + g + b;
    Rgba texel = {r, g, b, OPAQUE};
    switch (mode) {
        case AlphaMode::LUMINANCE:
            texel.a = static_cast<std::uint8_t>(sum / 3);
            break;
        case AlphaMode::ILLUMINANCE:
            texel.a = static_cast<std::uint8_t>(sum / 3);
            if (texel.a < ILLUMINANCE_BLACK_BELOW) {
                texel.r = texel.g = texel.b = 0;
            }
            break;
        case AlphaMode::BLACK_MASK:
            texel.a = sum == 0 ? 0 : OPAQUE;
            break;
        case AlphaMode::RED:
            texel.a = r;
            break;
        case AlphaMode::GREEN:
            texel.a = g;
            break;
        case AlphaMode::BLUE:
            texel.a = b;
            break;
        case AlphaMode::RED_MASK: {
            const float share = static_cast<float>(r) / static_cast<float>(sum + 1);
            texel.a = (share > RED_MASK_SHARE && r > RED_MASK_MIN_RED) ? 0 : OPAQUE;
            break;
        }
        default:  // NONE, GREEN_MASK, BLUE_MASK and VALUE stay opaque
            break;
    }
    return texel;
}

void convertToRgba(std::uint8_t* pixels, int width, int height, AlphaMode mode) {
    const std::size_t pixelCount = std::size_t(width) * std::size_t(height);
    for (std::size_t p = pixelCount; p-- > 0;) {
        const std::uint8_t* bgr = pixels + 3 * p;
        const Rgba texel = applyAlphaRule(mode, bgr[2], bgr[1], bgr[0]);
        std::uint8_t* out = pixels + 4 * p;
        out[0] = texel.r;
        out[1] = texel.g;
        out[2] = texel.b;
        out[3] = texel.a;
    }
}

unsigned textureInternalFormat(AlphaMode mode, bool highQuality) {
    if (mode == AlphaMode::NONE) {
        return highQuality ? GL_RGB : GL_R3_G3_B2;
    }
    return highQuality ? GL_RGBA : GL_RGBA2;
}
