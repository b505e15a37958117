#include "core/FileBytes.h"

#include "platform/FileKind.h"

FileBytesResult readOpenFile(std::FILE* file, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (file == nullptr || std::fseek(file, 0, SEEK_END) != 0) {
        return FILE_BYTES_FAILED;
    }
    const long size = std::ftell(file);
    if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        return FILE_BYTES_FAILED;
    }
    if (static_cast<unsigned long>(size) > maxBytes) {
        return FILE_BYTES_TOO_LARGE;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        bytes.clear();
        return FILE_BYTES_FAILED;
    }
    return FILE_BYTES_READ;
}

std::FILE* openPlainFile(const char* path) {
    return platformFileKind(path) == FILE_KIND_PLAIN ? std::fopen(path, "rb") : nullptr;
}

FileBytesResult readFileBytes(const char* path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::FILE* file = openPlainFile(path);
    if (file == nullptr) {
        return FILE_BYTES_MISSING;
    }
    const FileBytesResult result = readOpenFile(file, maxBytes, bytes);
    std::fclose(file);
    return result;
}
