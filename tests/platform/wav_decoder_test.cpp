#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/WavDecoder.h"

namespace {

// 16-bit mono PCM at 11025 Hz holding the samples 1, -2, 3 and 0x1234: a file the
// library's reader takes without any decoding of its own.
const std::vector<std::uint8_t> PCM_FILE = {
    'R', 'I', 'F', 'F', 44, 0, 0, 0, 'W', 'A', 'V', 'E',
    'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x22, 0x56, 0, 0, 2, 0, 16, 0,
    'd', 'a', 't', 'a', 8, 0, 0, 0, 1, 0, 0xFE, 0xFF, 3, 0, 0x34, 0x12,
};

std::vector<std::int16_t> decodeInPieces(const std::vector<std::size_t>& cuts) {
    std::vector<WavPiece> pieces;
    std::size_t start = 0;
    for (std::size_t cut : cuts) {
        pieces.push_back({PCM_FILE.data() + start, cut - start});
        start = cut;
    }
    pieces.push_back({PCM_FILE.data() + start, PCM_FILE.size() - start});
    std::int16_t* samples = nullptr;
    std::uint32_t byteCount = 0;
    if (!platformDecodeWav(pieces.data(), int(pieces.size()), samples, byteCount)) {
        return {};
    }
    std::vector<std::int16_t> decoded(samples, samples + byteCount / 2);
    delete[] samples;
    return decoded;
}

}  // namespace

// The reader seeks and reads across the pieces as in one file, wherever they are
// cut: inside a chunk's tag or size, between chunks, with empty pieces between.
TEST(WavDecoderTest, PiecesReadAsOneFileWhereverTheyAreCut) {
    const std::vector<std::int16_t> expected = {1, -2, 3, 0x1234};
    const std::vector<std::vector<std::size_t>> cutsOfEachCase = {
        {}, {2}, {12, 12, 12}, {6, 21, 37, 45}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 51},
    };
    for (const auto& cuts : cutsOfEachCase) {
        EXPECT_EQ(decodeInPieces(cuts), expected) << "cut into " << cuts.size() + 1 << " pieces";
    }
}

TEST(WavDecoderTest, AMissingPieceOrANonWavIsRefusedWithNothingAllocated) {
    std::int16_t* samples = nullptr;
    std::uint32_t byteCount = 7;
    const WavPiece missing[] = {{PCM_FILE.data(), 20}, {nullptr, 24}};
    EXPECT_FALSE(platformDecodeWav(missing, 2, samples, byteCount));
    const WavPiece headOnly[] = {{PCM_FILE.data(), 36}};
    EXPECT_FALSE(platformDecodeWav(headOnly, 1, samples, byteCount));
    EXPECT_EQ(samples, nullptr);
    EXPECT_EQ(byteCount, 0u);
}
