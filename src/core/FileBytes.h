#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// Every loader reads its file whole, through here, with a bound of its own: a file
// larger than the bound is refused before a byte of it is read or allocated.
enum FileBytesResult {
    FILE_BYTES_READ = 0,
    FILE_BYTES_MISSING,    // the file cannot be opened
    FILE_BYTES_TOO_LARGE,  // larger than maxBytes: nothing was read
    FILE_BYTES_FAILED,     // it cannot be sized or read
};

// Reads an open file whole, from its start, into bytes: one allocation of the
// file's size, one read. On anything but FILE_BYTES_READ bytes is left empty.
FileBytesResult readOpenFile(std::FILE* file, std::size_t maxBytes, std::vector<std::uint8_t>& bytes);

// The file at path opened for reading, or null when it cannot be opened or is
// anything but a plain file (platformFileKind): a named pipe would hold the
// game until a writer came.
std::FILE* openPlainFile(const char* path);

// readOpenFile for the file at path, opened (openPlainFile) and closed here.
FileBytesResult readFileBytes(const char* path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes);

// The unsigned number stored in count bytes (1 to 4) with the lowest first, as the
// headers of the BMP and WAV formats keep theirs.
inline std::uint32_t readLittleEndian(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}
