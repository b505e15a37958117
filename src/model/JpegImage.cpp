#include "model/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

namespace {
// Textures larger than this on a side are beyond any OpenGL implementation the game
// runs on; refusing them before allocating keeps a damaged header from asking for
// gigabytes.
constexpr JDIMENSION MAX_JPEG_SIDE = 16384;

// libjpeg's standard error handling ends the process on a damaged file. Its error
// exit jumps back here instead, and warnings are kept quiet, except the one for
// data that ends too early, which marks the picture as unusable.
struct JpegErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf failed;
    bool cutShort;
};

// All state lives on the heap, untouched by the jump back, so that everything
// can be released whichever call failed.
struct JpegJob {
    jpeg_decompress_struct decoder;
    JpegErrorManager errors;
    bool decoderCreated;
    std::FILE* file;
    JSAMPLE* row;
    std::uint8_t* image;
};

void jumpOnError(j_common_ptr decoder) {
    JpegErrorManager* errors = reinterpret_cast<JpegErrorManager*>(decoder->err);
    std::longjmp(errors->failed, 1);
}

void noteWarning(j_common_ptr decoder, int level) {
    JpegErrorManager* errors = reinterpret_cast<JpegErrorManager*>(decoder->err);
    if (level < 0 && errors->standard.msg_code == JWRN_JPEG_EOF) {
        errors->cutShort = true;
    }
}

void releaseJob(JpegJob* job) {
    if (job->decoderCreated) {
        jpeg_destroy_decompress(&job->decoder);
    }
    if (job->file != nullptr) {
        std::fclose(job->file);
    }
    std::free(job->row);
    std::free(job->image);
    std::free(job);
}

// Greyscale and YCbCr pictures can be delivered as RGB by the library; CMYK and
// YCCK cannot, and are refused rather than read with the wrong pixel size.
bool requestRgbOutput(jpeg_decompress_struct& decoder) {
    switch (decoder.jpeg_color_space) {
        case JCS_GRAYSCALE:
        case JCS_YCbCr:
        case JCS_RGB:
            decoder.out_color_space = JCS_RGB;
            return true;
        default:
            return false;
    }
}

// One decoded RGB row becomes image row rowIndex, packed, in blue-green-red order.
void storeRow(const JSAMPLE* rgb, std::uint8_t* image, std::size_t width, std::size_t rowIndex) {
    std::uint8_t* out = image + 3 * width * rowIndex;
    for (std::size_t x = 0; x < width; ++x) {
        out[3 * x + 2] = rgb[3 * x];
        out[3 * x + 1] = rgb[3 * x + 1];
        out[3 * x + 0] = rgb[3 * x + 2];
    }
}

bool decodeInto(JpegJob* job) {
    jpeg_decompress_struct& decoder = job->decoder;
    jpeg_stdio_src(&decoder, job->file);
    jpeg_read_header(&decoder, TRUE);
    if (!requestRgbOutput(decoder)) {
        return false;
    }
    jpeg_start_decompress(&decoder);
    const JDIMENSION width = decoder.output_width;
    const JDIMENSION height = decoder.output_height;
    if (decoder.output_components != 3 || width == 0 || height == 0 || width > MAX_JPEG_SIDE ||
        height > MAX_JPEG_SIDE) {
        return false;
    }
    job->row = static_cast<JSAMPLE*>(std::malloc(std::size_t(width) * 3));
    job->image = static_cast<std::uint8_t*>(std::malloc(std::size_t(width) * height * 4));
    if (job->row == nullptr || job->image == nullptr) {
        return false;
    }
    while (decoder.output_scanline < height) {
        const JDIMENSION rowIndex = decoder.output_scanline;
        JSAMPROW rows[1] = {job->row};
        if (jpeg_read_scanlines(&decoder, rows, 1) == 1) {
            storeRow(job->row, job->image, width, rowIndex);
        }
        if (job->errors.cutShort) {
            return false;
        }
    }
    jpeg_finish_decompress(&decoder);
    return !job->errors.cutShort;
}
}  // namespace

std::uint8_t* decodeJpegFile(const char* path, int& width, int& height) {
    JpegJob* job = static_cast<JpegJob*>(std::calloc(1, sizeof(JpegJob)));
    if (job == nullptr) {
        return nullptr;
    }
    job->decoder.err = jpeg_std_error(&job->errors.standard);
    job->errors.standard.error_exit = jumpOnError;
    job->errors.standard.emit_message = noteWarning;
    if (setjmp(job->errors.failed) != 0) {
        releaseJob(job);
        return nullptr;
    }
    jpeg_create_decompress(&job->decoder);
    job->decoderCreated = true;
    job->file = std::fopen(path, "rb");
    if (job->file == nullptr || !decodeInto(job)) {
        releaseJob(job);
        return nullptr;
    }
    width = static_cast<int>(job->decoder.output_width);
    height = static_cast<int>(job->decoder.output_height);
    std::uint8_t* image = job->image;
    job->image = nullptr;
    releaseJob(job);
    return image;
}
