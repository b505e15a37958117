#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/FileBytes.h"

constexpr std::uint16_t WAVE_FORMAT_PCM = 1;
constexpr std::uint16_t WAVE_FORMAT_ADPCM = 2;
constexpr std::uint32_t WAV_FORMAT_BYTES = 50;  // an ADPCM format with its 7 coefficient pairs
// Six minutes of 44.1 kHz 16-bit stereo; the game's longest sound is under 30 KB.
// A larger file is refused unread.
constexpr std::size_t MAX_WAV_FILE_BYTES = 64u * 1024 * 1024;

// What a WAV file holds once its header and chunks have been checked.
struct WavContents {
    std::uint8_t format[WAV_FORMAT_BYTES] = {};  // zero past formatSize
    std::uint32_t formatSize = 0;
    std::int16_t* data = nullptr;  // new[], dataSize bytes (rounded up to whole samples)
    std::uint32_t dataSize = 0;

    WavContents() = default;
    ~WavContents() { delete[] data; }
    WavContents(const WavContents&) = delete;
    WavContents& operator=(const WavContents&) = delete;

    std::uint16_t formatTag() const { return std::uint16_t(readLittleEndian(format, 2)); }
    std::uint16_t bitsPerSample() const { return std::uint16_t(readLittleEndian(format + 14, 2)); }
    // Hands the data over to the caller.
    std::int16_t* releaseData() {
        std::int16_t* taken = data;
        data = nullptr;
        return taken;
    }
};

// Reads a WAV file held in memory (size bytes) from its first byte: "RIF?", "WAV?",
// "fmt?" (only the first three bytes of each are checked), a format of at most 50
// bytes that is 16-bit PCM or MS ADPCM, further chunks skipped (each with its pad
// byte when odd-sized) in one pass until one tagged exactly "data", and that
// chunk's data whole. Returns 0, or the negative SoundLoadError of the first check
// that fails.
int readWav(const std::uint8_t* bytes, std::size_t size, WavContents& contents);

// Reads the open file whole (SOUND_ERROR_TRUNCATED when it is larger than
// MAX_WAV_FILE_BYTES or cannot be read), then as readWav.
int readWavFile(std::FILE* file, WavContents& contents);
