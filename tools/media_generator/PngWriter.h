#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height pixels of 4 bytes (red, green, blue, alpha), top row
// first, as a PNG file: the format desktop icons come in.
bool writePngRgba(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);
// The same PNG file in memory; empty when the pixels do not make width x height.
std::vector<std::uint8_t> encodePngRgba(int width, int height, const std::vector<std::uint8_t>& rgba);
// Writes bytes as the whole file at path; false for no bytes or a failed write.
bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
