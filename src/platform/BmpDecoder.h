#pragma once

#include <cstdint>

// Decodes the BMP file at a full path into packed blue-green-red rows, 3 bytes a
// pixel, top row first, in a malloc'd buffer of width x height x 4 bytes (room to
// widen every pixel to 4 bytes in place). Paletted and other depths are converted.
// Null when the file is missing or not a BMP the decoder understands.
std::uint8_t* platformDecodeBmp(const char* path, int& width, int& height);
