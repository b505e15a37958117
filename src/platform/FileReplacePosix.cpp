#include "platform/FileReplace.h"

#include <unistd.h>

#include <cstdio>

#include "platform/FileReplaceSteps.h"

bool platformReplaceFile(const std::string& path, const std::string& content) {
    std::string temporary;
    const int file = createReplaceTemporary(path, temporary);
    if (file < 0) {
        return false;
    }
    keepReplacedFileMode(file, path);
    bool written = writeWholeFile(file, content);
    written = fsync(file) == 0 && written;
    written = close(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
