#include "platform/KnownFolders.h"

#include <windows.h>

std::wstring knownFolderPath(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SHGetKnownFolderPath(id, 0, nullptr, &path) == S_OK) {
        folder = path;
    }
    // Windows asks for the buffer back even when the lookup failed.
    CoTaskMemFree(path);
    return folder;
}
