#include "platform/UserFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// The base-directory rules ignore a relative path: it would depend on the
// folder the game happens to be started from.
bool isAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

bool isFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The variable's folder when it is absolute, else the folder under $HOME.
std::string baseFolder(const char* variable, const char* underHome) {
    const char* folder = std::getenv(variable);
    if (isAbsolute(folder)) {
        return folder;
    }
    const char* home = std::getenv("HOME");
    if (isAbsolute(home)) {
        return std::string(home) + underHome;
    }
    return "";
}

}  // namespace

std::string platformUserConfigFolder() { return baseFolder("XDG_CONFIG_HOME", "/.config"); }

std::string platformUserDataFolder() { return baseFolder("XDG_DATA_HOME", "/.local/share"); }

bool platformIsSystemFolder(const std::string& folder) {
    // The real path: a link from elsewhere into /usr still leads to the package's
    // files, and a link out of /usr to a folder of the player's does not.
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
    // Another process may make it at the same moment: that is as good.
    return (mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) && isFolder(folder);
}
