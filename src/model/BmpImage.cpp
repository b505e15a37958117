#include "model/BmpImage.h"

#include "core/FileBytes.h"
#include "model/ImageSize.h"
#include "platform/BmpDecoder.h"

namespace {
constexpr std::size_t FILE_HEADER_BYTES = 14;
constexpr std::uint32_t CORE_HEADER_BYTES = 12;  // the oldest header: 16-bit sizes
constexpr std::uint32_t INFO_HEADER_BYTES = 40;  // and every later one, which starts alike
constexpr std::uint32_t BI_RLE8 = 1;
constexpr std::uint32_t BI_RLE4 = 2;
constexpr std::uint32_t MAX_BITS_PER_PIXEL = 32;

// What the headers say about the picture.
struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative: rows stored top first
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint64_t pixelsStart = 0;  // offset of the first row
};

bool readLayout(const std::uint8_t* bytes, std::size_t size, BmpLayout& layout) {
    if (size < FILE_HEADER_BYTES + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    const std::uint32_t dataOffset = readLittleEndian(bytes + 10, 4);
    const std::uint32_t headerSize = readLittleEndian(bytes + 14, 4);
    const std::uint8_t* info = bytes + FILE_HEADER_BYTES;
    if (headerSize == CORE_HEADER_BYTES && size >= FILE_HEADER_BYTES + CORE_HEADER_BYTES) {
        layout.width = readLittleEndian(info + 4, 2);
        layout.height = readLittleEndian(info + 6, 2);
        layout.bitsPerPixel = readLittleEndian(info + 10, 2);
    } else if (headerSize >= INFO_HEADER_BYTES && size >= FILE_HEADER_BYTES + INFO_HEADER_BYTES) {
        layout.width = static_cast<std::int32_t>(readLittleEndian(info + 4, 4));
        layout.height = static_cast<std::int32_t>(readLittleEndian(info + 8, 4));
        layout.bitsPerPixel = readLittleEndian(info + 14, 2);
        layout.compression = readLittleEndian(info + 16, 4);
    } else {
        return false;
    }
    // Without an offset the rows follow the headers (and the palette, if any).
    layout.pixelsStart = dataOffset != 0 ? dataOffset : FILE_HEADER_BYTES + headerSize;
    return true;
}

// Run-length data may describe any number of pixels in a few bytes; every other
// kind stores each row in full, padded to 4 bytes, so a file too short for its
// rows is cut short.
bool rowsFitTheFile(const BmpLayout& layout, std::uint64_t width, std::uint64_t height,
                    std::size_t size) {
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
        return true;
    }
    const std::uint64_t rowBytes = (width * layout.bitsPerPixel + 31) / 32 * 4;
    return layout.pixelsStart + rowBytes * height <= size;
}

bool layoutAcceptable(const BmpLayout& layout, std::size_t size) {
    const std::uint64_t width = layout.width > 0 ? std::uint64_t(layout.width) : 0;
    const std::uint64_t height =
        std::uint64_t(layout.height < 0 ? -layout.height : layout.height);
    return imageSizeAllowed(width, height) && layout.bitsPerPixel > 0 &&
           layout.bitsPerPixel <= MAX_BITS_PER_PIXEL && rowsFitTheFile(layout, width, height, size);
}
}  // namespace

std::uint8_t* decodeBmp(const std::uint8_t* bytes, std::size_t size, int& width, int& height) {
    BmpLayout layout;
    if (bytes == nullptr || !readLayout(bytes, size, layout) || !layoutAcceptable(layout, size)) {
        return nullptr;
    }
    return platformDecodeBmp(bytes, size, width, height);
}
