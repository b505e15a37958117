#include <cctype>
#include <cstring>

#include "core/MediaPath.h"
#include "model/Image.h"
#include "model/JpegImage.h"
#include "platform/BmpDecoder.h"

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
    if (endsWith3(path, "BMP")) {
        return platformDecodeBmp(path, width, height);
    }
    if (endsWith3(path, "JPG")) {
        return decodeJpegFile(path, width, height);
    }
    return nullptr;
}
