#pragma once

// Image files whose headers lie about their size, built in memory: a small real
// picture whose frame header is rewritten, or a bare bitmap header. They stand for
// damaged or hostile media files without committing any large file.

#include <cstdint>
#include <string>
#include <vector>

#include "support/ImageTestFiles.h"

// Offset of the first frame header (any SOFn marker: baseline, progressive,
// arithmetic-coded ...) of a JPEG, or npos.
inline std::size_t jpegFrameHeader(const std::string& jpeg) {
    for (std::size_t i = 2; i + 1 < jpeg.size(); ++i) {
        const unsigned char marker = static_cast<unsigned char>(jpeg[i + 1]);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                           marker != 0xCC;
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && frame) {
            return i;
        }
    }
    return std::string::npos;
}

// The JPEG with its frame header claiming width x height (16 bits each, as stored).
inline std::string withJpegSize(std::string jpeg, std::uint16_t width, std::uint16_t height) {
    const std::size_t frame = jpegFrameHeader(jpeg);
    if (frame != std::string::npos) {
        jpeg[frame + 5] = static_cast<char>(height >> 8);
        jpeg[frame + 6] = static_cast<char>(height & 0xFF);
        jpeg[frame + 7] = static_cast<char>(width >> 8);
        jpeg[frame + 8] = static_cast<char>(width & 0xFF);
    }
    return jpeg;
}

// The JPEG cut right after its first scan header, so no picture data follows;
// withEndMarker puts the end-of-image marker there, as a tidy but empty file would.
inline std::string jpegWithoutScanData(const std::string& jpeg, bool withEndMarker) {
    const std::size_t scan = jpeg.find("\xFF\xDA");
    if (scan == std::string::npos || scan + 4 > jpeg.size()) {
        return jpeg;
    }
    const std::size_t length = (static_cast<unsigned char>(jpeg[scan + 2]) << 8) |
                               static_cast<unsigned char>(jpeg[scan + 3]);
    std::string cut = jpeg.substr(0, scan + 2 + length);
    return withEndMarker ? cut + "\xFF\xD9" : cut;
}

// A small patterned picture (greyscale with one component, else colour) for the
// rewrites above.
inline std::string smallJpeg(const JpegCoding& coding, int components = 3) {
    const int side = 16;
    std::vector<std::uint8_t> samples;
    for (int i = 0; i < side * side * components; ++i) {
        samples.push_back(static_cast<std::uint8_t>(i * 13));
    }
    const J_COLOR_SPACE colorSpace = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    return encodeTestJpeg(side, side, components, colorSpace, samples, coding);
}

inline JpegCoding baselineCoding() { return JpegCoding(); }

inline JpegCoding progressiveCoding() {
    JpegCoding coding;
    coding.progressive = true;
    return coding;
}

// A colour progression of 1 + 3 x bandsPerComponent scans: the DC scan, then
// each component's AC coefficients in that many bands.
inline JpegCoding manyScanCoding(int bandsPerComponent) {
    JpegCoding coding;
    jpeg_scan_info dc = {};
    dc.comps_in_scan = 3;
    for (int c = 0; c < 3; ++c) {
        dc.component_index[c] = c;
    }
    coding.scans.push_back(dc);
    for (int c = 0; c < 3; ++c) {
        for (int band = 1; band <= bandsPerComponent; ++band) {
            jpeg_scan_info ac = {};
            ac.comps_in_scan = 1;
            ac.component_index[0] = c;
            ac.Ss = band;
            ac.Se = band == bandsPerComponent ? 63 : band;
            coding.scans.push_back(ac);
        }
    }
    return coding;
}

// An 8-bit run-length bitmap of any claimed size whose data is only the
// end-of-picture code: about 1 KB with its 256-colour palette.
inline std::string emptyRunLengthBmp(std::int32_t width, std::int32_t height) {
    std::string bmp = bmpHeader(width, height, 8, 1, 256);
    for (int i = 0; i < 256; ++i) {
        putLittleEndian(bmp, static_cast<std::uint32_t>(i * 0x010101), 4);
    }
    return bmp + std::string("\x00\x01", 2);
}

// The oldest bitmap header (12 bytes, 16-bit unsigned sizes), with no rows.
inline std::string coreHeaderBmp(std::uint16_t width, std::uint16_t height, int bitsPerPixel) {
    std::string bmp = "BM";
    putLittleEndian(bmp, 26, 4);
    putLittleEndian(bmp, 0, 4);
    putLittleEndian(bmp, 26, 4);
    putLittleEndian(bmp, 12, 4);
    putLittleEndian(bmp, width, 2);
    putLittleEndian(bmp, height, 2);
    putLittleEndian(bmp, 1, 2);
    putLittleEndian(bmp, static_cast<std::uint32_t>(bitsPerPixel), 2);
    return bmp;
}

// The newest bitmap header (124 bytes, which begins as the 40-byte one), with no rows.
inline std::string longHeaderBmp(std::int32_t width, std::int32_t height, int bitsPerPixel) {
    std::string bmp = bmpHeader(width, height, bitsPerPixel);
    bmp[10] = bmp[2] = static_cast<char>(14 + 124);
    bmp[14] = static_cast<char>(124);
    return bmp + std::string(124 - 40, '\0');
}

// The four lying files measured on the game, one of each kind.
struct HostileImage {
    const char* name;
    std::string bytes;
};

inline std::vector<HostileImage> measuredHostileImages() {
    return {
        {"progressive_23354x65354.jpg",
         withJpegSize(smallJpeg(progressiveCoding(), 1), 23354, 65354)},
        {"baseline_16384_no_scan.jpg",
         jpegWithoutScanData(withJpegSize(smallJpeg(baselineCoding()), 16384, 16384), true)},
        {"header_20000x20000.bmp", bmpHeader(20000, 20000, 24)},
        {"rle8_16000x16000.bmp", emptyRunLengthBmp(16000, 16000)},
    };
}
