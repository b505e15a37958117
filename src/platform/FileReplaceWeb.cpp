// The page's files are in memory: the new content goes through a temporary file
// and a rename as on the desktop, so the file is always whole, and then the
// player's folder is stored in the browser. Nothing is flushed to a disk first:
// Emscripten's fsync, under the loop's Asyncify, would wait inside the loop.
#include "platform/FileReplace.h"

#include <unistd.h>

#include <cstdio>

#include "platform/BrowserStorage.h"
#include "platform/FileReplaceSteps.h"

bool platformReplaceFile(const std::string& path, const std::string& content) {
    std::string temporary;
    const int file = createReplaceTemporary(path, temporary);
    if (file < 0) {
        return false;
    }
    keepReplacedFileMode(file, path);
    bool written = writeWholeFile(file, content);
    written = close(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    storePlayerFiles();
    return true;
}
