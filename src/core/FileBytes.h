#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// Reads an open file whole, from its start, into bytes: one allocation of the
// file's size, one read. False (bytes left empty) when the file cannot be sized or
// read, or when it is larger than maxBytes: then nothing is read at all.
bool readOpenFile(std::FILE* file, std::size_t maxBytes, std::vector<std::uint8_t>& bytes);
