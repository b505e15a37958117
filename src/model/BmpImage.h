#pragma once

#include <cstddef>
#include <cstdint>

// Decodes a BMP file held in memory (size bytes) into the buffer loadImage
// returns. The header is read here first: a picture that breaks the size rule of
// model/ImageSize.h, a header of a kind no reader knows, or uncompressed rows that
// the file is too short to hold are refused before the decoder reserves anything.
// Null for those and for anything the decoder itself cannot read.
std::uint8_t* decodeBmp(const std::uint8_t* bytes, std::size_t size, int& width, int& height);
