#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height pixels of 4 bytes (red, green, blue, alpha), top row
// first, as a PNG file: the format desktop icons come in.
bool writePngRgba(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);
