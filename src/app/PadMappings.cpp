#include "app/PadMappings.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/FileBytes.h"
#include "core/OptionsFileLocation.h"
#include "core/StartReport.h"
#include "platform/GamepadDevice.h"
#include "platform/UserFolders.h"

namespace {

// The community's whole list is about half a megabyte.
constexpr std::size_t MAPPINGS_FILE_LIMIT = 4 * 1024 * 1024;
const char* const MAPPINGS_VARIABLE = "SDL_GAMECONTROLLERCONFIG";

int addMappings(const std::string& text, const std::string& origin) {
    int refusedLines = 0;
    platformAddPadMappings(text, [&](int line, const std::string& reason) {
        ++refusedLines;
        reportStartNotice("a pad mapping was left out",
                          origin + " line " + std::to_string(line) + ": " + reason);
    });
    return refusedLines;
}

}  // namespace

int loadPadMappings(const std::string& variableText, const std::string& filePath) {
    int refusedLines = addMappings(variableText, MAPPINGS_VARIABLE);
    if (filePath.empty()) {
        return refusedLines;
    }
    std::vector<std::uint8_t> bytes;
    const FileBytesResult result = readFileBytes(filePath.c_str(), MAPPINGS_FILE_LIMIT, bytes);
    if (result == FILE_BYTES_READ) {
        refusedLines += addMappings(std::string(bytes.begin(), bytes.end()), filePath);
    } else if (result != FILE_BYTES_MISSING) {
        reportStartNotice("the pad mappings were left out",
                          filePath + (result == FILE_BYTES_TOO_LARGE ? ": larger than 4 MiB" : ": unreadable"));
    }
    return refusedLines;
}

void loadPadMappings() {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    loaded = true;
    const char* variable = std::getenv(MAPPINGS_VARIABLE);
    const std::string folder = platformUserConfigFolder();
    loadPadMappings(variable != nullptr ? variable : "",
                    folder.empty() ? "" : folder + "/" + USER_OPTIONS_FOLDER + "/" + PAD_MAPPINGS_FILE);
}
