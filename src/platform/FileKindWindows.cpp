#include "platform/FileKind.h"

#include <windows.h>

#include "platform/WideText.h"

FileKind platformFileKind(const char* path) {
    if (path == nullptr) {
        return FILE_KIND_NONE;
    }
    const DWORD attributes = GetFileAttributesW(wideFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FILE_KIND_NONE : FILE_KIND_OTHER;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FILE_KIND_FOLDER;
    }
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? FILE_KIND_OTHER : FILE_KIND_PLAIN;
}
