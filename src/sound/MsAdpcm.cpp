#include "sound/MsAdpcm.h"

#include <cstddef>
#include <cstring>

#include "core/FileBytes.h"
#include "platform/WavDecoder.h"
#include "sound/WavReader.h"

namespace {

constexpr std::size_t CHUNK_HEAD_BYTES = 8;  // a tag and a 32-bit size
constexpr std::size_t FILE_HEAD_BYTES = CHUNK_HEAD_BYTES + 4 + CHUNK_HEAD_BYTES;  // up to the format's body

void putChunkHead(std::uint8_t* head, const char* tag, std::uint32_t size) {
    std::memcpy(head, tag, 4);
    for (int i = 0; i < 4; ++i) {
        head[4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    }
}

// Offsets in the format block: the channel count, the block size, and (in the
// extended block) the number of coefficient pairs.
constexpr std::size_t FORMAT_CHANNELS_AT = 2;
constexpr std::size_t FORMAT_BLOCK_ALIGN_AT = 12;
constexpr std::size_t FORMAT_COEFFICIENT_COUNT_AT = 20;
// A block names its pair by a byte, which reaches the first 256 pairs only.
constexpr std::uint32_t MAX_ADDRESSABLE_PAIRS = 256;

// Each block begins with one predictor byte per channel, an index into the
// format's coefficient pairs. The library's decoder lets an index equal to the
// pair count through and reads past its table, so such a block is refused here.
// A format too short to say is left to the library, which refuses it.
bool blocksNameKnownPairs(const std::uint8_t* format, std::uint32_t formatSize, const std::uint8_t* data,
                          std::uint32_t dataSize) {
    if (formatSize < FORMAT_COEFFICIENT_COUNT_AT + 2) {
        return true;
    }
    const std::uint32_t channels = readLittleEndian(format + FORMAT_CHANNELS_AT, 2);
    const std::uint32_t blockAlign = readLittleEndian(format + FORMAT_BLOCK_ALIGN_AT, 2);
    std::uint32_t pairs = readLittleEndian(format + FORMAT_COEFFICIENT_COUNT_AT, 2);
    if (pairs > MAX_ADDRESSABLE_PAIRS) {
        pairs = MAX_ADDRESSABLE_PAIRS;
    }
    if (blockAlign == 0) {
        return true;
    }
    for (std::uint32_t block = 0; block < dataSize; block += blockAlign) {
        for (std::uint32_t channel = 0; channel < channels && channel < dataSize - block; ++channel) {
            if (data[block + channel] >= pairs) {
                return false;
            }
        }
        if (dataSize - block <= blockAlign) {
            break;
        }
    }
    return true;
}

}  // namespace

bool decodeMsAdpcm(const std::uint8_t* format, std::uint32_t formatSize, const std::uint8_t* data,
                   std::uint32_t dataSize, std::int16_t*& samples, std::uint32_t& byteCount) {
    samples = nullptr;
    byteCount = 0;
    if (format == nullptr || data == nullptr || formatSize < 2 ||
        readLittleEndian(format, 2) != WAVE_FORMAT_ADPCM ||
        !blocksNameKnownPairs(format, formatSize, data, dataSize)) {
        return false;
    }
    // The library's reader takes a whole file: a RIFF form holding just the format
    // and the data, which the game's own reader has already checked. It has no
    // "fact" chunk, so the decoder yields every block whole.
    const std::uint32_t formatPad = formatSize & 1u;
    const std::uint64_t riffSize = 4 + CHUNK_HEAD_BYTES + std::uint64_t(formatSize) + formatPad +
                                   CHUNK_HEAD_BYTES + dataSize;
    if (riffSize > UINT32_MAX) {
        return false;
    }
    std::uint8_t fileHead[FILE_HEAD_BYTES];
    putChunkHead(fileHead, "RIFF", static_cast<std::uint32_t>(riffSize));
    std::memcpy(fileHead + CHUNK_HEAD_BYTES, "WAVE", 4);
    putChunkHead(fileHead + CHUNK_HEAD_BYTES + 4, "fmt ", formatSize);
    const std::uint8_t pad[1] = {0};
    std::uint8_t dataHead[CHUNK_HEAD_BYTES];
    putChunkHead(dataHead, "data", dataSize);
    const WavPiece pieces[] = {
        {fileHead, sizeof fileHead}, {format, formatSize}, {pad, formatPad},
        {dataHead, sizeof dataHead}, {data, dataSize},
    };
    return platformDecodeWav(pieces, int(sizeof pieces / sizeof pieces[0]), samples, byteCount);
}
