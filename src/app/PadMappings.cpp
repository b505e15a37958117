#include "app/PadMappings.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/PadMappingLines.h"
#include "core/FileBytes.h"
#include "core/OptionsFileLocation.h"
#include "core/StartReport.h"
#include "platform/GamepadDevice.h"
#include "platform/UserFolders.h"

namespace {

// The community's whole list is about half a megabyte.
constexpr std::size_t MAPPINGS_FILE_LIMIT = 4 * 1024 * 1024;
const char* const MAPPINGS_VARIABLE = "SDL_GAMECONTROLLERCONFIG";
const char* const LEFT_OUT = "pad mappings left out";
// Above what the community's list (half a megabyte for every system together)
// holds for any one system. The library's time grows with the square of the
// count: 4,096 take it a fraction of a second, ten times as many most of a minute.
constexpr int MAPPINGS_PER_RUN = 4096;

// Hands the library the mappings of text, as many as budget still allows (each
// one it takes spends one), and tells the player in a few lines what was left out.
int addMappings(const std::string& text, const std::string& origin, int& budget) {
    PadMappingReport report(origin, MAPPINGS_PER_RUN);
    budget -= takePadMappings(text, platformPadMappingSystem(), budget, platformAddPadMapping, report);
    for (const std::string& told : report.lines()) {
        reportStartNotice(LEFT_OUT, told);
    }
    return report.refusedCount();
}

}  // namespace

int loadPadMappings(const std::string& variableText, const std::string& filePath) {
    if (!platformPadsStart()) {
        return 0;  // no pad is read by its layout, with or without these
    }
    int budget = MAPPINGS_PER_RUN;
    int refusedLines = addMappings(variableText, MAPPINGS_VARIABLE, budget);
    if (filePath.empty()) {
        return refusedLines;
    }
    std::vector<std::uint8_t> bytes;
    const FileBytesResult result = readFileBytes(filePath.c_str(), MAPPINGS_FILE_LIMIT, bytes);
    if (result == FILE_BYTES_READ) {
        refusedLines += addMappings(std::string(bytes.begin(), bytes.end()), filePath, budget);
    } else if (result != FILE_BYTES_MISSING) {
        reportStartNotice(LEFT_OUT,
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
