#pragma once

#include <cstddef>
#include <cstdint>

// Decodes a BMP file held in memory (size bytes) into packed blue-green-red rows,
// 3 bytes a pixel, top row first, in a malloc'd buffer of width x height x 4 bytes
// (room to widen every pixel to 4 bytes in place). Paletted and other depths are
// converted. Null when it is not a BMP the decoder understands. The decoder
// reserves the whole picture as the header claims it: the caller checks the size
// first.
std::uint8_t* platformDecodeBmp(const std::uint8_t* bytes, std::size_t size, int& width,
                                int& height);
