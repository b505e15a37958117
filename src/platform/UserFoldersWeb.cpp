// In the browser the player's folders are under the page's home folder
// (Emscripten's $HOME, kept in the browser's storage by web/storage.js), laid
// out as on a Linux desktop; the game's own files are packed under /usr, which
// stays the system's.
#include "platform/UserFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? home : "";
}

bool isFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string platformUserConfigFolder() {
    const std::string home = homeFolder();
    return home.empty() ? "" : home + "/.config";
}

std::string platformUserDataFolder() {
    const std::string home = homeFolder();
    return home.empty() ? "" : home + "/.local/share";
}

bool platformIsSystemFolder(const std::string& folder) {
    char real[PATH_MAX];
    if (folder.empty() || realpath(folder.c_str(), real) == nullptr) {
        return false;
    }
    const std::string path(real);
    return path == "/usr" || path.compare(0, 5, "/usr/") == 0;
}

bool platformMayWriteFolder(const std::string& folder) {
    return !folder.empty() && access(folder.c_str(), W_OK | X_OK) == 0;
}

bool platformMakeFolders(const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    if (isFolder(folder)) {
        return true;
    }
    const std::size_t slash = folder.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !platformMakeFolders(folder.substr(0, slash))) {
        return false;
    }
    return (mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) && isFolder(folder);
}
