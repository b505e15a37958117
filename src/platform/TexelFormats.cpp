#include "platform/TexelFormats.h"

namespace {
constexpr int FULL_BITS = 8;
constexpr std::uint8_t OPAQUE = 255;
}  // namespace

TexelBits texelBitsOf(std::uint32_t internalFormat) {
    switch (internalFormat) {
        case TEXEL_FORMAT_RGB:
            return {FULL_BITS, FULL_BITS, FULL_BITS, 0};
        case TEXEL_FORMAT_R3_G3_B2:
            return {3, 3, 2, 0};
        case TEXEL_FORMAT_RGBA2:
            return {4, 4, 4, 4};
        default:
            return {FULL_BITS, FULL_BITS, FULL_BITS, FULL_BITS};
    }
}

std::uint8_t quantiseChannel(std::uint8_t value, int bits) {
    if (bits >= FULL_BITS) {
        return value;
    }
    if (bits <= 0) {
        return 0;
    }
    // The nearest of the 2^bits levels, widened back by repeating its bits.
    const int levels = (1 << bits) - 1;
    const int level = (value * levels + OPAQUE / 2) / OPAQUE;
    int widened = 0;
    for (int filled = 0; filled < FULL_BITS; filled += bits) {
        widened = (widened << bits) | level;
    }
    return static_cast<std::uint8_t>(widened >> ((FULL_BITS + bits - 1) / bits * bits - FULL_BITS));
}

void quantiseTexels(std::uint8_t* rgba, std::size_t count, std::uint32_t internalFormat) {
    const TexelBits bits = texelBitsOf(internalFormat);
    for (std::size_t texel = 0; texel < count; ++texel) {
        std::uint8_t* channel = rgba + 4 * texel;
        channel[0] = quantiseChannel(channel[0], bits.red);
        channel[1] = quantiseChannel(channel[1], bits.green);
        channel[2] = quantiseChannel(channel[2], bits.blue);
        channel[3] = bits.alpha == 0 ? OPAQUE : quantiseChannel(channel[3], bits.alpha);
    }
}
