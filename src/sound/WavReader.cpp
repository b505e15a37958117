#include "sound/WavReader.h"

#include <cstring>
#include <new>
#include <vector>

#include "core/FileBytes.h"
#include "sound/Sound.h"

namespace {
// Walks the file's bytes once, front to back; every read checks what is left.
class ByteCursor {
public:
    ByteCursor(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::size_t left() const { return size_ - pos_; }

    bool take(void* target, std::size_t count) {
        if (count > left()) {
            return false;
        }
        if (count > 0) {
            std::memcpy(target, bytes_ + pos_, count);
        }
        pos_ += count;
        return true;
    }

    bool skip(std::uint64_t count) {
        if (count > left()) {
            return false;
        }
        pos_ += static_cast<std::size_t>(count);
        return true;
    }

    bool takeU32(std::uint32_t& value) {
        std::uint8_t little[4];
        if (!take(little, 4)) {
            return false;
        }
        value = readLittleEndian(little, 4);
        return true;
    }

    bool tagStartsWith(const char* prefix) {
        char tag[4];
        return take(tag, 4) && std::memcmp(tag, prefix, 3) == 0;
    }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool formatPlayable(const WavContents& contents) {
    if (contents.formatTag() == WAVE_FORMAT_ADPCM) {
        return true;
    }
    // The mixer reads 16-bit samples and nothing else.
    return contents.formatTag() == WAVE_FORMAT_PCM && contents.bitsPerSample() == 16;
}

// Skips chunks until one tagged "data" (all four bytes); leaves the cursor at its size.
bool findDataChunk(ByteCursor& cursor) {
    while (true) {
        char tag[4];
        if (!cursor.take(tag, 4)) {
            return false;
        }
        if (std::memcmp(tag, "data", 4) == 0) {
            return true;
        }
        std::uint32_t size = 0;
        if (!cursor.takeU32(size) || !cursor.skip(std::uint64_t(size) + (size & 1u))) {
            return false;
        }
    }
}

int readData(ByteCursor& cursor, WavContents& contents) {
    std::uint32_t size = 0;
    if (!cursor.takeU32(size) || size > cursor.left()) {
        return SOUND_ERROR_TRUNCATED;
    }
    const std::uint32_t sampleSlots = size / 2 + (size & 1u);
    contents.data = new (std::nothrow) std::int16_t[sampleSlots == 0 ? 1 : sampleSlots]();
    if (contents.data == nullptr || !cursor.take(contents.data, size)) {
        return SOUND_ERROR_TRUNCATED;
    }
    contents.dataSize = size;
    return 0;
}

}  // namespace

int readWav(const std::uint8_t* bytes, std::size_t size, WavContents& contents) {
    ByteCursor cursor(bytes, bytes != nullptr ? size : 0);
    if (!cursor.tagStartsWith("RIF")) {
        return SOUND_ERROR_OPEN_OR_RIFF;
    }
    std::uint32_t riffSize = 0;
    if (!cursor.takeU32(riffSize) || !cursor.tagStartsWith("WAV")) {
        return SOUND_ERROR_WAVE;
    }
    if (!cursor.tagStartsWith("fmt")) {
        return SOUND_ERROR_FMT;
    }
    std::uint32_t formatSize = 0;
    if (!cursor.takeU32(formatSize)) {
        return SOUND_ERROR_TRUNCATED;
    }
    if (formatSize > WAV_FORMAT_BYTES) {
        return SOUND_ERROR_FORMAT;
    }
    if (!cursor.take(contents.format, formatSize)) {
        return SOUND_ERROR_TRUNCATED;
    }
    contents.formatSize = formatSize;
    if (!formatPlayable(contents)) {
        return SOUND_ERROR_FORMAT;
    }
    if (!findDataChunk(cursor)) {
        return SOUND_ERROR_TRUNCATED;
    }
    return readData(cursor, contents);
}

int readWavFile(std::FILE* file, WavContents& contents) {
    std::vector<std::uint8_t> bytes;
    if (readOpenFile(file, MAX_WAV_FILE_BYTES, bytes) != FILE_BYTES_READ) {
        return SOUND_ERROR_TRUNCATED;
    }
    return readWav(bytes.data(), bytes.size(), contents);
}
