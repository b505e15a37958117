// The BMP loader (its own header check, then the platform's decoder) on any bytes.
#include "ImageCheck.h"
#include "model/BmpImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzImageDecoder(decodeBmp, data, size);
}
