// A browser lends a page none of its fonts as files: DejaVu Sans Bold is packed
// with the game, in fonts/ beside media/ as on Windows.
#include "platform/FontLookup.h"

#include <sys/stat.h>

#include "platform/ExecutablePath.h"

namespace {
const char* const SHIPPED_FONT = "/fonts/DejaVuSans-Bold.ttf";
}

std::string platformFindFontFile(const char* pattern) {
    if (pattern == nullptr) {
        return "";
    }
    const std::string shipped = platformExecutableDirectory() + SHIPPED_FONT;
    struct stat info;
    return stat(shipped.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? shipped : "";
}
