#include "sound/WavReader.h"

#include <cstring>
#include <new>

#include "sound/Sound.h"

namespace {
bool readBytes(std::FILE* file, void* target, std::size_t count) {
    return std::fread(target, 1, count, file) == count;
}

bool readU32(std::FILE* file, std::uint32_t& value) {
    std::uint8_t bytes[4];
    if (!readBytes(file, bytes, 4)) {
        return false;
    }
    value = std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) |
            (std::uint32_t(bytes[2]) << 16) | (std::uint32_t(bytes[3]) << 24);
    return true;
}

bool tagStartsWith(std::FILE* file, const char* prefix) {
    char tag[4];
    return readBytes(file, tag, 4) && std::memcmp(tag, prefix, 3) == 0;
}

// Bytes from the current position to the end of the file.
long bytesLeft(std::FILE* file) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const long end = std::ftell(file);
    if (std::fseek(file, here, SEEK_SET) != 0 || end < here) {
        return -1;
    }
    return end - here;
}

bool formatPlayable(const WavContents& contents) {
    if (contents.formatTag() == WAVE_FORMAT_ADPCM) {
        return true;
    }
    // The mixer reads 16-bit samples and nothing else.
    return contents.formatTag() == WAVE_FORMAT_PCM && contents.bitsPerSample() == 16;
}

// Skips chunks until one tagged "data" (all four bytes); leaves the file at its size.
bool findDataChunk(std::FILE* file) {
    while (true) {
        char tag[4];
        if (!readBytes(file, tag, 4)) {
            return false;
        }
        if (std::memcmp(tag, "data", 4) == 0) {
            return true;
        }
        std::uint32_t size = 0;
        if (!readU32(file, size)) {
            return false;
        }
        const long body = static_cast<long>(size) + static_cast<long>(size & 1u);
        if (body > bytesLeft(file) || std::fseek(file, body, SEEK_CUR) != 0) {
            return false;
        }
    }
}

int readData(std::FILE* file, WavContents& contents) {
    std::uint32_t size = 0;
    if (!readU32(file, size) || static_cast<long>(size) > bytesLeft(file)) {
        return SOUND_ERROR_TRUNCATED;
    }
    const std::uint32_t sampleSlots = size / 2 + (size & 1u);
    contents.data = new (std::nothrow) std::int16_t[sampleSlots == 0 ? 1 : sampleSlots]();
    if (contents.data == nullptr || !readBytes(file, contents.data, size)) {
        return SOUND_ERROR_TRUNCATED;
    }
    contents.dataSize = size;
    return 0;
}
}  // namespace

int readWavFile(std::FILE* file, WavContents& contents) {
    if (!tagStartsWith(file, "RIF")) {
        return SOUND_ERROR_OPEN_OR_RIFF;
    }
    std::uint32_t riffSize = 0;
    if (!readU32(file, riffSize) || !tagStartsWith(file, "WAV")) {
        return SOUND_ERROR_WAVE;
    }
    if (!tagStartsWith(file, "fmt")) {
        return SOUND_ERROR_FMT;
    }
    std::uint32_t formatSize = 0;
    if (!readU32(file, formatSize)) {
        return SOUND_ERROR_TRUNCATED;
    }
    if (formatSize > WAV_FORMAT_BYTES) {
        return SOUND_ERROR_FORMAT;
    }
    if (!readBytes(file, contents.format, formatSize)) {
        return SOUND_ERROR_TRUNCATED;
    }
    contents.formatSize = formatSize;
    if (!formatPlayable(contents)) {
        return SOUND_ERROR_FORMAT;
    }
    if (!findDataChunk(file)) {
        return SOUND_ERROR_TRUNCATED;
    }
    return readData(file, contents);
}
