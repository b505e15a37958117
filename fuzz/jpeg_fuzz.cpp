// The JPEG loader on any bytes, as loadImage hands it a file read whole.
#include <cstddef>
#include <cstdint>

#include "ImageCheck.h"
#include "model/JpegImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    int width = 0;
    int height = 0;
    std::uint8_t* image = decodeJpeg(data, size, width, height);
    checkDecodedImage(image, width, height, size > 0 ? data[size - 1] : 0);
    return 0;
}
