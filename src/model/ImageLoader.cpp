#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/FileBytes.h"
#include "core/MediaPath.h"
#include "model/BmpImage.h"
#include "model/Image.h"
#include "model/ImageSize.h"
#include "model/JpegImage.h"

namespace {
// The last three characters of the path name the kind of file, in any case.
bool endsWith3(const char* path, const char* ending) {
    const std::size_t length = std::strlen(path);
    if (length < 3) {
        return false;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const unsigned char c = static_cast<unsigned char>(path[length - 3 + i]);
        if (std::toupper(c) != ending[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::uint8_t* loadImage(const char* fileName, int& width, int& height) {
    char path[MAX_PATH_LENGTH];
    if (!makeMediaPath(path, fileName)) {
        return nullptr;
    }
    const bool bmp = endsWith3(path, "BMP");
    if (!bmp && !endsWith3(path, "JPG")) {
        return nullptr;
    }
    // A file larger than any picture the size rule allows is not read at all.
    std::vector<std::uint8_t> bytes;
    if (readFileBytes(path, MAX_IMAGE_FILE_BYTES, bytes) != FILE_BYTES_READ) {
        return nullptr;
    }
    return bmp ? decodeBmp(bytes.data(), bytes.size(), width, height)
               : decodeJpeg(bytes.data(), bytes.size(), width, height);
}
