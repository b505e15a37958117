#include "platform/FileReplace.h"

#include <windows.h>

#include "platform/WideText.h"

// The C library's rename refuses an existing target here; MoveFileEx replaces
// it, and its write-through waits until the move is on the disk.
bool platformReplaceFile(const std::string& path, const std::string& content) {
    const std::wstring target = wideFromUtf8(path);
    const std::wstring temporary = wideFromUtf8(path + ".tmp");
    if (target.empty() || temporary.empty() || content.size() > MAXDWORD) {
        return false;
    }
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
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
