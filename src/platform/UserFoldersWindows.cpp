#include "platform/UserFolders.h"

#include <windows.h>

#include <cstdlib>

#include "platform/KnownFolders.h"
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

std::wstring fullPath(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return L"";
    }
    std::wstring full(length, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
    if (written == 0 || written >= length) {
        return L"";
    }
    full.resize(written);
    return full;
}

// Whether path is root itself or lies inside it; names compare as the file
// system does, without regard to case.
bool liesIn(const std::wstring& path, const std::wstring& root) {
    if (root.empty() || path.size() < root.size() ||
        _wcsnicmp(path.c_str(), root.c_str(), root.size()) != 0) {
        return false;
    }
    return path.size() == root.size() || isSeparator(path[root.size()]) || isSeparator(root.back());
}

}  // namespace

// %APPDATA% as the player's environment names it, else the shell's own answer.
std::string platformUserConfigFolder() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData != nullptr && isAbsolute(appData)) {
        return utf8FromWide(appData);
    }
    const std::wstring known = knownFolderPath(FOLDERID_RoamingAppData);
    return isAbsolute(known) ? utf8FromWide(known) : "";
}

// Windows keeps a program's settings and its player's own records together, in
// the roaming application data.
std::string platformUserDataFolder() { return platformUserConfigFolder(); }

// Program Files, 64-bit or 32-bit, belongs to the installers: a player with the
// rights to write there (an administrator) still gets their own folder.
bool platformIsSystemFolder(const std::string& folder) {
    const std::wstring path = fullPath(wideFromUtf8(folder));
    if (path.empty()) {
        return false;
    }
    for (REFKNOWNFOLDERID id : {FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86}) {
        if (liesIn(path, knownFolderPath(id))) {
            return true;
        }
    }
    return false;
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
