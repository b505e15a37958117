#include "platform/FileKind.h"

#include <sys/stat.h>

#include <cerrno>

FileKind platformFileKind(const char* path) {
    struct stat status;
    if (path == nullptr || stat(path, &status) != 0) {
        return path == nullptr || errno == ENOENT || errno == ENOTDIR ? FILE_KIND_NONE : FILE_KIND_OTHER;
    }
    if (S_ISREG(status.st_mode)) {
        return FILE_KIND_PLAIN;
    }
    return S_ISDIR(status.st_mode) ? FILE_KIND_FOLDER : FILE_KIND_OTHER;
}
