#pragma once

#include <cstddef>
#include <cstdint>

// One size rule for every picture the game reads (textures and the launcher's
// splash), checked from the file's header before any decoder reserves memory, so
// that a damaged or hostile header can neither stall the game nor eat memory.

// No side may exceed the largest texture the game can use: 4096 texels, which
// every OpenGL driver the game meets accepts (Mesa's software renderer takes
// 16384), four times the largest texture the game ships (1024 x 1024).
constexpr std::uint32_t MAX_IMAGE_SIDE = 4096;

// Nor may a picture hold more than 4 Mi pixels (2048 x 2048, or 4096 x 1024).
// Its buffer then takes at most 16 MiB at 4 bytes a pixel; decoding a progressive
// JPEG of that size reserves at most JPEG_DECODER_MEMORY_BYTES more, and the
// texture upload one copy of the buffer: some 60 MiB at the very worst for one
// picture, against 4 MiB for the largest shipped texture. A header that claims
// more is refused before any decoder reserves a byte.
constexpr std::uint64_t MAX_IMAGE_PIXELS = 2048u * 2048u;

// A file larger than this is no picture the rule above allows (a 32-bit bitmap of
// MAX_IMAGE_PIXELS is 16 MiB plus its headers) and is refused unread.
constexpr std::size_t MAX_IMAGE_FILE_BYTES = 16u * 1024 * 1024 + 64 * 1024;

// What libjpeg may reserve for one picture: enough for the whole-picture buffers
// of a progressive JPEG at the largest size allowed (three full-resolution colour
// components, 2 bytes a coefficient: just over 24 MiB). A file that would need
// more is refused by the library itself, whatever its header says.
constexpr long JPEG_DECODER_MEMORY_BYTES = 28L * 1024 * 1024;

// True when a picture of width x height pixels may be decoded.
inline bool imageSizeAllowed(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= MAX_IMAGE_SIDE && height <= MAX_IMAGE_SIDE &&
           width * height <= MAX_IMAGE_PIXELS;
}
