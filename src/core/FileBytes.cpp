#include "core/FileBytes.h"

bool readOpenFile(std::FILE* file, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    if (file == nullptr || std::fseek(file, 0, SEEK_END) != 0) {
        return false;
    }
    const long size = std::ftell(file);
    if (size < 0 || static_cast<unsigned long>(size) > maxBytes ||
        std::fseek(file, 0, SEEK_SET) != 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        bytes.clear();
        return false;
    }
    return true;
}
