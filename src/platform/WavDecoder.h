#pragma once

#include <cstddef>
#include <cstdint>

// The library's WAV reader, for the one kind of sample data the game does not
// decode itself (Microsoft ADPCM, sound/MsAdpcm.h). The file is handed over in
// pieces that follow each other, read where they lie: the caller's format and
// data are never copied into a file image.
struct WavPiece {
    const std::uint8_t* bytes;
    std::size_t size;
};

// Decodes the WAV file that the pieces make, in order, to signed 16-bit PCM with
// the source's channel count (channels stay interleaved). On success samples is a
// new[] array (of at least one element) that the caller owns and byteCount its
// size in bytes; false, with nothing allocated, when the library refuses the file
// or decodes it to anything but 16-bit samples.
bool platformDecodeWav(const WavPiece* pieces, int pieceCount, std::int16_t*& samples,
                       std::uint32_t& byteCount);
