#include "platform/UserFolders.h"

#include <shlobj.h>
#include <windows.h>

#include <cstdlib>

#include "platform/WideText.h"

namespace {

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "C:\..." or "\\server\share\...": a relative folder would depend on where the
// game happens to be started from.
bool isAbsolute(const std::wstring& path) {
    const bool drive = path.size() >= 3 && path[1] == L':' && isSeparator(path[2]);
    const bool share = path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
    return drive || share;
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring knownRoamingFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &path) == S_OK) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

// %APPDATA% as the player's environment names it, else the shell's own answer.
std::string platformUserConfigFolder() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData != nullptr && isAbsolute(appData)) {
        return utf8FromWide(appData);
    }
    const std::wstring known = knownRoamingFolder();
    return isAbsolute(known) ? utf8FromWide(known) : "";
}

// Access rights say little here: Program Files looks writable to the file
// attributes yet refuses a player without elevation. Making a file is the test.
bool platformMayWriteFolder(const std::string& folder) {
    const std::wstring wide = wideFromUtf8(folder);
    if (wide.empty() || !isFolder(wide)) {
        return false;
    }
    wchar_t probe[MAX_PATH + 1];
    if (wide.size() > MAX_PATH - 14 || GetTempFileNameW(wide.c_str(), L"zf", 0, probe) == 0) {
        return false;
    }
    DeleteFileW(probe);
    return true;
}

bool platformMakeFolders(const std::string& folder) {
    const std::wstring wide = wideFromUtf8(folder);
    if (wide.empty()) {
        return false;
    }
    if (isFolder(wide)) {
        return true;
    }
    const std::size_t separator = wide.find_last_of(L"\\/");
    // Stops at a drive ("C:") or a share's root, which cannot be made.
    if (separator != std::wstring::npos && separator > 2 &&
        !platformMakeFolders(utf8FromWide(wide.substr(0, separator)))) {
        return false;
    }
    // Another process may make it at the same moment: that is as good.
    return (CreateDirectoryW(wide.c_str(), nullptr) != 0 ||
            GetLastError() == ERROR_ALREADY_EXISTS) &&
           isFolder(wide);
}
