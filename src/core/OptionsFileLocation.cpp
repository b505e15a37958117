#include "core/OptionsFileLocation.h"

#include "core/IniFile.h"
#include "core/MediaPath.h"
#include "platform/ExecutablePath.h"
#include "platform/UserFolders.h"

namespace {

std::string mediaPath(const char* name) {
    char path[MAX_PATH_LENGTH];
    return makeMediaPath(path, name) ? std::string(path) : std::string();
}

}  // namespace

std::string locateOptionsFile(const char* name, bool mediaWritable, const std::string& userConfigFolder) {
    if (name == nullptr || name[0] == '\0') {
        return "";
    }
    const std::string inMedia = mediaPath(name);
    if (mediaWritable) {
        return inMedia;
    }
    if (userConfigFolder.empty()) {
        return "";
    }
    const std::string folder = userConfigFolder + PLATFORM_PATH_SEPARATOR + USER_OPTIONS_FOLDER;
    if (!platformMakeFolders(folder)) {
        return "";
    }
    const std::string ownFile = folder + PLATFORM_PATH_SEPARATOR + name;
    // The media folder's file holds the options the game was installed with: the
    // player starts from those, then keeps their own.
    if (!inMedia.empty() && !iniCopyIfMissing(inMedia.c_str(), ownFile.c_str())) {
        return "";
    }
    return ownFile;
}

std::string locateOptionsFile(const char* name) {
    // A system-wide install keeps no player's file, not even root's: a package
    // manager would leave it behind, and every other player would start from it.
    const std::string media = mediaPath("");
    const bool keepInMedia = platformMayWriteFolder(media) && !platformIsSystemFolder(media);
    return locateOptionsFile(name, keepInMedia, platformUserConfigFolder());
}
