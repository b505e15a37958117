#include "platform/ExecutablePath.h"

#include <unistd.h>

#include <climits>

namespace {
std::string& directoryOverride() {
    static std::string directory;
    return directory;
}
}  // namespace

std::string platformExecutableDirectory() {
    if (!directoryOverride().empty()) {
        return directoryOverride();
    }
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) {
        return ".";
    }
    std::string fullPath(path, static_cast<std::size_t>(length));
    std::size_t slash = fullPath.rfind('/');
    if (slash == std::string::npos) {
        return fullPath;
    }
    return fullPath.substr(0, slash);
}

void platformSetExecutableDirectoryForTesting(const std::string& directory) {
    directoryOverride() = directory;
}
