#include "platform/FileRemove.h"

#include <windows.h>

#include "platform/WideText.h"

// The C library's remove would take the path in the system's code page; the
// game's paths are UTF-8.
bool platformRemoveFile(const std::string& path) {
    const std::wstring wide = wideFromUtf8(path);
    if (wide.empty()) {
        return false;
    }
    if (DeleteFileW(wide.c_str()) != 0) {
        return true;
    }
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}
