// In the browser the game's files are packed into the page's own file system,
// laid out as an installed game's (ZF_WEB_GAME_FOLDER, from web/CMakeLists.txt):
// a folder under /usr, which the player's files never go into.
#include "platform/ExecutablePath.h"

namespace {
std::string& directoryOverride() {
    static std::string directory;
    return directory;
}
}  // namespace

std::string platformExecutableDirectory() {
    return directoryOverride().empty() ? ZF_WEB_GAME_FOLDER : directoryOverride();
}

void platformSetExecutableDirectoryForTesting(const std::string& directory) {
    directoryOverride() = directory;
}
