#include "platform/FileReplace.h"

#include <windows.h>

#include "platform/WideText.h"

namespace {

// Creates the first free temporary name. CREATE_NEW fails on any name already
// taken; with FILE_FLAG_OPEN_REPARSE_POINT a link there counts as taken itself
// instead of being followed to what it names.
HANDLE createTemporary(const std::string& path, std::wstring& temporary) {
    for (int attempt = 0; attempt < REPLACE_FILE_TEMPORARY_NAMES; ++attempt) {
        temporary = wideFromUtf8(replaceFileTemporaryName(path, attempt));
        if (temporary.empty()) {
            return INVALID_HANDLE_VALUE;
        }
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        const DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

// The C library's rename refuses an existing target here; MoveFileEx replaces
// it, and its write-through waits until the move is on the disk.
bool platformReplaceFile(const std::string& path, const std::string& content) {
    const std::wstring target = wideFromUtf8(path);
    if (target.empty() || content.size() > MAXDWORD) {
        return false;
    }
    std::wstring temporary;
    HANDLE file = createTemporary(path, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD writtenBytes = 0;
    const DWORD size = static_cast<DWORD>(content.size());
    bool written = WriteFile(file, content.data(), size, &writtenBytes, nullptr) != 0 && writtenBytes == size;
    written = FlushFileBuffers(file) != 0 && written;
    written = CloseHandle(file) != 0 && written;
    if (!written ||
        MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}
