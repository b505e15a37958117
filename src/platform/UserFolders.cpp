#include "platform/UserFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

// The base-directory rules ignore a relative path: it would depend on the
// folder the game happens to be started from.
bool isAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

bool isFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string platformUserConfigFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (isAbsolute(configHome)) {
        return configHome;
    }
    const char* home = std::getenv("HOME");
    if (isAbsolute(home)) {
        return std::string(home) + "/.config";
    }
    return "";
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
