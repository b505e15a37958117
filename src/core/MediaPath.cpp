#include "core/MediaPath.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/ExecutablePath.h"

bool makeMediaPath(char* out, const char* name) {
    if (out == nullptr) {
        return false;
    }
    if (name == nullptr) {
        out[0] = '\0';
        return false;
    }
    const std::string directory = platformExecutableDirectory();
    const char separator = PLATFORM_PATH_SEPARATOR;
    int length = std::snprintf(out, MAX_PATH_LENGTH, "%s%cmedia%c%s", directory.c_str(), separator,
                               separator, name);
    if (length < 0 || static_cast<std::size_t>(length) >= MAX_PATH_LENGTH) {
        // A cut path could name some other, existing file: refuse it outright.
        out[0] = '\0';
        return false;
    }
    return true;
}

bool makeMediaPathInPlace(char* buffer) {
    if (buffer == nullptr) {
        return false;
    }
    char name[MAX_PATH_LENGTH];
    std::strncpy(name, buffer, MAX_PATH_LENGTH - 1);
    name[MAX_PATH_LENGTH - 1] = '\0';
    return makeMediaPath(buffer, name);
}
