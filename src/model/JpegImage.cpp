#include "model/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

#include "model/ImageSize.h"

namespace {
// A progressive picture comes in a handful of scans (libjpeg's own encoder writes
// 10); every scan walks the whole picture again, so a file of thousands of tiny
// scans could keep the game busy for seconds.
constexpr int MAX_JPEG_SCANS = 64;

// libjpeg's standard error handling ends the process on a damaged file. Its error
// exit jumps back here instead. Warnings are kept quiet, except the two that say
// the picture data is missing or cut short: the rest of the picture would be grey
// fill, so the file is refused at once, like a truncated one.
struct JpegErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf failed;
};

// All state lives on the heap, untouched by the jump back, so that everything
// can be released whichever call failed.
struct JpegJob {
    jpeg_decompress_struct decoder;
    JpegErrorManager errors;
    jpeg_progress_mgr progress;
    bool decoderCreated;
    JSAMPLE* row;
    std::uint8_t* image;
};

[[noreturn]] void refuse(j_common_ptr decoder) {
    JpegErrorManager* errors = reinterpret_cast<JpegErrorManager*>(decoder->err);
    std::longjmp(errors->failed, 1);
}

void refuseMissingData(j_common_ptr decoder, int level) {
    const int code = decoder->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) {
        refuse(decoder);
    }
}

void limitScans(j_common_ptr decoder) {
    if (reinterpret_cast<j_decompress_ptr>(decoder)->input_scan_number > MAX_JPEG_SCANS) {
        refuse(decoder);
    }
}

void releaseJob(JpegJob* job) {
    if (job->decoderCreated) {
        jpeg_destroy_decompress(&job->decoder);
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

bool decodeInto(JpegJob* job, const std::uint8_t* bytes, std::size_t size) {
    jpeg_decompress_struct& decoder = job->decoder;
    jpeg_mem_src(&decoder, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&decoder, TRUE);
    // The header's size decides before libjpeg reserves its whole-picture buffers
    // (in jpeg_start_decompress); the cap holds whatever the header says.
    // Arithmetic-coded data that runs out is filled in silently, with no warning
    // to refuse it by; such files are rare and none is the game's.
    if (!imageSizeAllowed(decoder.image_width, decoder.image_height) || decoder.arith_code ||
        !requestRgbOutput(decoder)) {
        return false;
    }
    decoder.mem->max_memory_to_use = JPEG_DECODER_MEMORY_BYTES;
    jpeg_start_decompress(&decoder);
    const JDIMENSION width = decoder.output_width;
    const JDIMENSION height = decoder.output_height;
    if (decoder.output_components != 3 || !imageSizeAllowed(width, height)) {
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
        if (jpeg_read_scanlines(&decoder, rows, 1) != 1) {
            return false;
        }
        storeRow(job->row, job->image, width, rowIndex);
    }
    jpeg_finish_decompress(&decoder);
    return true;
}
}  // namespace

std::uint8_t* decodeJpeg(const std::uint8_t* bytes, std::size_t size, int& width, int& height) {
    if (bytes == nullptr || size == 0) {
        return nullptr;
    }
    JpegJob* job = static_cast<JpegJob*>(std::calloc(1, sizeof(JpegJob)));
    if (job == nullptr) {
        return nullptr;
    }
    job->decoder.err = jpeg_std_error(&job->errors.standard);
    job->errors.standard.error_exit = refuse;
    job->errors.standard.emit_message = refuseMissingData;
    job->progress.progress_monitor = limitScans;
    if (setjmp(job->errors.failed) != 0) {
        releaseJob(job);
        return nullptr;
    }
    jpeg_create_decompress(&job->decoder);
    job->decoderCreated = true;
    job->decoder.progress = &job->progress;
    if (!decodeInto(job, bytes, size)) {
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
