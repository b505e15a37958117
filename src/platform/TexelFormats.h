#pragma once

#include <cstddef>
#include <cstdint>

// What a texture's internal format keeps of RGBA texels, for an OpenGL that
// stores only RGBA8 (WebGL): the texels are cut to the format's bits on the CPU,
// so a low-quality texture still looks as it does where the driver stores the
// small format. OpenGL's numbers name the formats.

constexpr std::uint32_t TEXEL_FORMAT_RGB = 0x1907;       // GL_RGB: no alpha
constexpr std::uint32_t TEXEL_FORMAT_RGBA = 0x1908;      // GL_RGBA: all of it
constexpr std::uint32_t TEXEL_FORMAT_R3_G3_B2 = 0x2A10;  // GL_R3_G3_B2
constexpr std::uint32_t TEXEL_FORMAT_RGBA2 = 0x8055;     // GL_RGBA2

// Bits per channel (red, green, blue, alpha) the format keeps; 0 for alpha
// means the texture has none (it reads as opaque). GL_RGBA2 keeps four bits a
// channel, as Mesa and the common drivers store it. Unknown formats keep all.
struct TexelBits {
    int red;
    int green;
    int blue;
    int alpha;
};
TexelBits texelBitsOf(std::uint32_t internalFormat);

// The 8-bit value a channel of value reads back as once stored in bits bits
// (bit replication, as OpenGL widens a stored value).
std::uint8_t quantiseChannel(std::uint8_t value, int bits);

// Rewrites count RGBA texels as the format keeps them.
void quantiseTexels(std::uint8_t* rgba, std::size_t count, std::uint32_t internalFormat);
