#include "platform/ExecutablePath.h"

#include <windows.h>

#include "platform/WideText.h"

namespace {
std::string& directoryOverride() {
    static std::string directory;
    return directory;
}

// Long enough for the longest path the file system allows, so that a deep install
// folder is reported whole instead of cut off.
constexpr DWORD LONGEST_PATH = 32768;
}  // namespace

std::string platformExecutableDirectory() {
    if (!directoryOverride().empty()) {
        return directoryOverride();
    }
    std::wstring path(LONGEST_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], LONGEST_PATH);
    if (length == 0 || length >= LONGEST_PATH) {
        return ".";
    }
    path.resize(length);
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos) {
        path.resize(separator);
    }
    return utf8FromWide(path);
}

void platformSetExecutableDirectoryForTesting(const std::string& directory) {
    directoryOverride() = directory;
}
