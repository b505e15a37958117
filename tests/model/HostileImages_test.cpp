// Pictures whose headers lie about their size, or whose picture data is missing,
// are refused from the header or at the first missing byte: quickly and without
// filling memory, however large the size they claim.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "model/Image.h"
#include "support/HostileImages.h"
#include "support/PeakMemory.h"
#include "support/TempMediaDir.h"

namespace {
// The limits each refusal must keep. The time is generous against the 50 ms aim
// (the benchmark in bench/image_bench.cpp gives the real figure) so that a busy
// machine cannot fail it, yet it catches the seconds that such files used to take.
constexpr long MAX_REFUSAL_GROWTH_MB = 32;
constexpr double MAX_REFUSAL_MS = 500.0;

class HostileImagesTest : public ::testing::Test {
protected:
    TempMediaDir media;

    // Loads the file and checks that it is refused within the limits.
    void expectRefusedQuicklyAndSmall(const std::string& name, const std::string& bytes) {
        media.write(name, bytes);
        int width = -1;
        int height = -1;
        PeakMemoryWatch watch;
        ASSERT_TRUE(watch.available()) << "the kernel gives no memory figures";
        ImagePtr image(loadImage(name.c_str(), width, height));
        const double elapsedMs = watch.elapsedMs();
        const long growthMb = watch.peakGrowthMb();
        EXPECT_EQ(image, nullptr) << name;
        EXPECT_EQ(width, -1) << name;
        EXPECT_LT(elapsedMs, MAX_REFUSAL_MS) << name;
        EXPECT_LT(growthMb, MAX_REFUSAL_GROWTH_MB) << name;
    }

    ImagePtr load(const std::string& name, const std::string& bytes, int& width, int& height) {
        media.write(name, bytes);
        return ImagePtr(loadImage(name.c_str(), width, height));
    }
};

TEST_F(HostileImagesTest, TheFourMeasuredLyingFilesAreRefused) {
    for (const HostileImage& file : measuredHostileImages()) {
        expectRefusedQuicklyAndSmall(file.name, file.bytes);
    }
}

TEST_F(HostileImagesTest, JpegsClaimingTooMuchOrMissingTheirDataAreRefused) {
    const std::string progressive = smallJpeg(progressiveCoding());
    const std::string baseline = smallJpeg(baselineCoding());
    const std::string progressiveAtLimit = withJpegSize(progressive, 2048, 2048);
    const std::string baselineAtLimit = withJpegSize(baseline, 2048, 2048);
    JpegCoding arithmetic;
    arithmetic.arithmetic = true;
    const std::vector<HostileImage> files = {
        {"colour_progressive_huge.jpg", withJpegSize(progressive, 23354, 65354)},
        {"side_over.jpg", withJpegSize(baseline, 4097, 16)},
        {"pixels_over.jpg", withJpegSize(progressive, 2049, 2048)},
        // Allowed sizes, but the picture data runs out almost at once: in the
        // middle of a scan, right after the scan header with an end marker, or
        // with the file simply ending there.
        {"progressive_short.jpg", progressiveAtLimit},
        {"progressive_no_scan.jpg", jpegWithoutScanData(progressiveAtLimit, true)},
        {"progressive_ends.jpg", jpegWithoutScanData(progressiveAtLimit, false)},
        {"baseline_short.jpg", baselineAtLimit},
        {"baseline_no_scan.jpg", jpegWithoutScanData(baselineAtLimit, true)},
        {"baseline_huge_ends.jpg",
         jpegWithoutScanData(withJpegSize(baseline, 16384, 16384), false)},
        // Arithmetic-coded data that runs out would be filled in without a warning.
        {"arithmetic.jpg", withJpegSize(smallJpeg(arithmetic), 2048, 2048)},
    };
    for (const HostileImage& file : files) {
        expectRefusedQuicklyAndSmall(file.name, file.bytes);
    }
}

TEST_F(HostileImagesTest, BitmapsClaimingTooMuchOrMissingTheirRowsAreRefused) {
    const std::vector<HostileImage> files = {
        {"top_down_huge.bmp", bmpHeader(20000, -20000, 24)},
        {"rle4_huge.bmp",
         bmpHeader(16000, 16000, 4, 2, 16) + std::string(64, '\0') + std::string("\x00\x01", 2)},
        {"pixels_over.bmp", bmpHeader(4096, 4096, 24)},
        {"lowest_height.bmp", bmpHeader(16, INT_MIN, 24)},
        {"no_width.bmp", bmpHeader(0, 16, 24)},
        {"old_header_huge.bmp", coreHeaderBmp(65535, 65535, 24)},
        {"long_header_huge.bmp", longHeaderBmp(20000, 20000, 32)},
        // Allowed sizes, but the rows are not in the file.
        {"rows_missing.bmp", bmpHeader(2048, 2048, 24)},
        {"rows_missing_32.bmp", longHeaderBmp(2048, -2048, 32)},
        {"one_byte_short.bmp", bmpHeader(3, 2, 24) + std::string(2 * 12 - 1, '\x7F')},
    };
    for (const HostileImage& file : files) {
        expectRefusedQuicklyAndSmall(file.name, file.bytes);
    }
}

TEST_F(HostileImagesTest, WholePicturesBeyondTheSizeRuleAreRefused) {
    const std::vector<std::uint8_t> strip(std::size_t(4097) * 3, 60);
    const std::vector<std::uint8_t> flat(std::size_t(2049) * 2048 * 3, 60);
    const std::vector<HostileImage> files = {
        {"wide.jpg", encodeTestJpeg(4097, 1, 3, JCS_RGB, strip)},
        {"many_pixels.jpg", encodeTestJpeg(2049, 2048, 3, JCS_RGB, flat)},
        {"wide.bmp", makeTestBmp(4097, 1, 24, strip)},
        {"many_pixels.bmp", emptyRunLengthBmp(2049, 2048)},
    };
    for (const HostileImage& file : files) {
        expectRefusedQuicklyAndSmall(file.name, file.bytes);
    }
}

TEST_F(HostileImagesTest, TheLargestAllowedPicturesStillLoad) {
    int width = 0;
    int height = 0;
    // A progressive picture at the full pixel limit, in three full-resolution
    // components: the whole-picture buffers just fit what the decoder may reserve.
    const std::vector<std::uint8_t> flat(std::size_t(2048) * 2048 * 3, 90);
    ImagePtr progressive = load("limit.jpg", encodeTestJpeg(2048, 2048, 3, JCS_RGB, flat,
                                                            progressiveCoding()),
                                width, height);
    ASSERT_NE(progressive, nullptr);
    EXPECT_EQ(width, 2048);
    EXPECT_EQ(height, 2048);
    EXPECT_NEAR(progressive.get()[3 * (2048 * 2048 - 1)], 90, 4);

    const std::vector<std::uint8_t> strip(std::size_t(4096) * 3, 200);
    EXPECT_NE(load("strip.jpg", encodeTestJpeg(4096, 1, 3, JCS_RGB, strip), width, height),
              nullptr);
    EXPECT_EQ(width, 4096);
    EXPECT_NE(load("strip.bmp", makeTestBmp(4096, 1, 24, strip), width, height), nullptr);
    EXPECT_EQ(width, 4096);
    // A run-length bitmap may end early; the rest of its picture is black.
    EXPECT_NE(load("early_end.bmp", emptyRunLengthBmp(64, 64), width, height), nullptr);
    EXPECT_EQ(height, 64);
}

TEST_F(HostileImagesTest, AJpegOfMoreScansThanAnyRealPictureIsRefused) {
    const std::vector<std::uint8_t> samples(std::size_t(32) * 32 * 3, 120);
    int width = 0;
    int height = 0;
    // 64 scans are accepted: many times libjpeg's own 10.
    EXPECT_NE(load("64.jpg", encodeTestJpeg(32, 32, 3, JCS_RGB, samples, manyScanCoding(21)), width,
                   height),
              nullptr);
    EXPECT_EQ(load("67.jpg", encodeTestJpeg(32, 32, 3, JCS_RGB, samples, manyScanCoding(22)), width,
                   height),
              nullptr);
}
}  // namespace
