#pragma once

#include <cstdint>

// Decodes the JPEG file at a full path into the buffer loadImage returns: packed
// blue-green-red rows, top row first, allocated at 4 bytes per pixel. Null for a
// file that is missing, damaged, cut short or not in a colour space that can be
// turned into RGB; the program goes on in every case.
std::uint8_t* decodeJpegFile(const char* path, int& width, int& height);
