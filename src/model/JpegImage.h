#pragma once

#include <cstddef>
#include <cstdint>

// Decodes a JPEG held in memory (size bytes) into the buffer loadImage returns:
// packed blue-green-red rows, top row first, allocated with malloc at 4 bytes per
// pixel. Null for a picture that breaks the size rule of model/ImageSize.h (refused
// from its header, before the decoder reserves anything), that is damaged, whose
// picture data is missing or cut short, that is arithmetic-coded, that holds more
// scans than any real picture, or whose colour space cannot be turned into RGB;
// the program goes on in every case.
std::uint8_t* decodeJpeg(const std::uint8_t* bytes, std::size_t size, int& width, int& height);
