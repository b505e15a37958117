#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

// How a test JPEG is coded: baseline Huffman unless asked otherwise; a scan
// script, when given, replaces the library's own progression.
struct JpegCoding {
    bool progressive = false;
    bool arithmetic = false;
    std::vector<jpeg_scan_info> scans;
};

// Encodes a JPEG in memory at the best quality with no chroma subsampling, so that
// decoded colours stay within a few steps of the ones written. samples holds
// width x height pixels of `components` bytes each, top row first.
inline std::string encodeTestJpeg(int width, int height, int components, J_COLOR_SPACE colorSpace,
                                  const std::vector<std::uint8_t>& samples,
                                  const JpegCoding& coding = JpegCoding()) {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    jpeg_mem_dest(&encoder, &buffer, &size);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = components;
    encoder.in_color_space = colorSpace;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, 100, TRUE);
    for (int c = 0; c < encoder.num_components; ++c) {
        encoder.comp_info[c].h_samp_factor = 1;
        encoder.comp_info[c].v_samp_factor = 1;
    }
    if (coding.progressive) {
        jpeg_simple_progression(&encoder);
    }
    if (!coding.scans.empty()) {
        encoder.scan_info = coding.scans.data();
        encoder.num_scans = static_cast<int>(coding.scans.size());
    }
    encoder.arith_code = coding.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data()) +
                       std::size_t(encoder.next_scanline) * width * components;
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::string jpeg(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return jpeg;
}

// The same, written to a file.
inline bool writeTestJpeg(const std::string& path, int width, int height, int components,
                          J_COLOR_SPACE colorSpace, const std::vector<std::uint8_t>& samples) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const std::string jpeg = encodeTestJpeg(width, height, components, colorSpace, samples);
    const bool written = std::fwrite(jpeg.data(), 1, jpeg.size(), file) == jpeg.size();
    return std::fclose(file) == 0 && written;
}

// A loadImage buffer, freed as its contract says.
struct FreeDeleter {
    void operator()(std::uint8_t* pixels) const { std::free(pixels); }
};
using ImagePtr = std::unique_ptr<std::uint8_t, FreeDeleter>;

// Width x height RGB samples of one colour.
inline std::vector<std::uint8_t> solidRgb(int width, int height, std::uint8_t r, std::uint8_t g,
                                          std::uint8_t b) {
    std::vector<std::uint8_t> samples;
    for (int i = 0; i < width * height; ++i) {
        samples.insert(samples.end(), {r, g, b});
    }
    return samples;
}

inline void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A bitmap's 14-byte file header and 40-byte information header, for imageBytes
// of rows after paletteEntries palette entries. A negative height means rows
// stored top first. compression: 0 none, 1 8-bit run lengths, 2 4-bit.
inline std::string bmpHeader(std::int32_t width, std::int32_t height, int bitsPerPixel,
                             int compression = 0, std::uint32_t paletteEntries = 0,
                             std::uint32_t imageBytes = 0) {
    const std::uint32_t dataOffset = 14 + 40 + 4 * paletteEntries;
    std::string bmp = "BM";
    putLittleEndian(bmp, dataOffset + imageBytes, 4);
    putLittleEndian(bmp, 0, 4);
    putLittleEndian(bmp, dataOffset, 4);
    putLittleEndian(bmp, 40, 4);
    putLittleEndian(bmp, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(bmp, static_cast<std::uint32_t>(height), 4);
    putLittleEndian(bmp, 1, 2);
    putLittleEndian(bmp, static_cast<std::uint32_t>(bitsPerPixel), 2);
    putLittleEndian(bmp, static_cast<std::uint32_t>(compression), 4);
    putLittleEndian(bmp, imageBytes, 4);
    putLittleEndian(bmp, 2835, 4);
    putLittleEndian(bmp, 2835, 4);
    putLittleEndian(bmp, paletteEntries, 4);
    putLittleEndian(bmp, 0, 4);
    return bmp;
}

// A BMP file as the format stores it: bottom row first, rows padded to 4 bytes.
// bitsPerPixel 24 takes blue-green-red pixels; 8 takes palette indices and a
// palette of blue-green-red-zero entries.
inline std::string makeTestBmp(int width, int height, int bitsPerPixel,
                               const std::vector<std::uint8_t>& topDownPixels,
                               const std::vector<std::uint8_t>& palette = {}) {
    const int bytesPerPixel = bitsPerPixel / 8;
    const int rowBytes = (width * bytesPerPixel + 3) / 4 * 4;
    std::string bmp = bmpHeader(width, height, bitsPerPixel, 0,
                                static_cast<std::uint32_t>(palette.size() / 4),
                                static_cast<std::uint32_t>(rowBytes * height));
    bmp.append(palette.begin(), palette.end());
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t start = std::size_t(y) * width * bytesPerPixel;
        bmp.append(topDownPixels.begin() + start,
                   topDownPixels.begin() + start + width * bytesPerPixel);
        bmp.append(rowBytes - width * bytesPerPixel, '\0');
    }
    return bmp;
}
