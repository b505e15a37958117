// The JPEG loader on any bytes.
#include "ImageCheck.h"
#include "model/JpegImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzImageDecoder(decodeJpeg, data, size);
}
