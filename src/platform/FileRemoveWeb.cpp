#include "platform/FileRemove.h"

#include <unistd.h>

#include <cerrno>

#include "platform/BrowserStorage.h"

// Removed from the page's memory, then from the browser's storage too.
bool platformRemoveFile(const std::string& path) {
    if (unlink(path.c_str()) != 0) {
        return errno == ENOENT;
    }
    storePlayerFiles();
    return true;
}
