#pragma once

#include <cstdint>

// Decodes Microsoft ADPCM sample data to signed 16-bit PCM with the source's
// channel count (channels stay interleaved). format is the file's format block
// (formatSize bytes, the coefficient table included). Every block of the data is
// decoded whole; empty data gives an empty sound. On success samples is a new[]
// array (of at least one element) that the caller owns and byteCount its size in
// bytes; on failure nothing is allocated.
bool decodeMsAdpcm(const std::uint8_t* format, std::uint32_t formatSize, const std::uint8_t* data,
                   std::uint32_t dataSize, std::int16_t*& samples, std::uint32_t& byteCount);
