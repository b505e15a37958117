#include "app/GameOptions.h"

#include <cstdio>
#include <string>

#include "core/IniFile.h"
#include "core/OptionsFileLocation.h"
#include "core/StartReport.h"

namespace {

const char* const OPTIONS_FILE = "game.ini";
const char* const OPTIONS_SECTION = "Game";

// Larger than any display: a bigger value in the file is a damaged file.
constexpr int MAX_DIMENSION = 16384;

struct OptionKey {
    const char* name;
    int GameOptions::*field;
    int fileDefault;  // differs from the constructor for "Lights"
};

// The keys in the order they are read and written.
const OptionKey OPTION_KEYS[] = {
    {"Windowed", &GameOptions::windowed, 1},
    {"Lights", &GameOptions::lights, 0},
    {"Music", &GameOptions::music, 0},
    {"Joystick", &GameOptions::joystick, 0},
    {"UseHiQualTex", &GameOptions::hiQualTex, 0},
    {"Width", &GameOptions::width, 640},
    {"Height", &GameOptions::height, 480},
    {"UseScreenRes", &GameOptions::resolutionIndex, RESOLUTION_640X480},
};

int fileDefault(int GameOptions::*field) {
    for (const OptionKey& key : OPTION_KEYS) {
        if (key.field == field) {
            return key.fileDefault;
        }
    }
    return 0;
}

// A negative or absurd size would fail the window; such a value is treated like a
// missing key. A resolution choice outside the list is kept as it is: the launcher
// then shows no selection, and Start stores -1 in its place.
void replaceDamagedValues(GameOptions& options) {
    if (options.width < 0 || options.width > MAX_DIMENSION) {
        options.width = fileDefault(&GameOptions::width);
    }
    if (options.height < 0 || options.height > MAX_DIMENSION) {
        options.height = fileDefault(&GameOptions::height);
    }
}

// Why a file that is there was not read; empty when it was read or is missing.
std::string unreadReason(IniFileResult result) {
    switch (result) {
    case INI_FILE_NOT_PLAIN:
        return "not a plain file";
    case INI_FILE_TOO_LARGE:
        return "larger than " + std::to_string(INI_FILE_MAX_BYTES) + " bytes";
    case INI_FILE_FAILED:
        return "unreadable";
    default:
        return "";
    }
}

}  // namespace

bool GameOptions::configure(OptionsMode mode, void* instance, const char* title) {
    if (mode == OPTIONS_DEFAULTS) {
        return true;
    }
    filePath = locateOptionsFile(OPTIONS_FILE);
    if (mode == OPTIONS_READ_FILE) {
        load();
        return true;
    }
    return runLauncher(instance, title);
}

void GameOptions::load() {
    std::string content;
    const IniFileResult result = filePath.empty() ? INI_FILE_MISSING : iniReadFile(filePath.c_str(), content);
    const std::string reason = unreadReason(result);
    if (!reason.empty()) {
        // The save at exit leaves such a file as it is too.
        reportStartNotice("the options file was not read",
                          filePath + ": " + reason + "; the options start at their defaults and it is kept as it is");
    }
    for (const OptionKey& key : OPTION_KEYS) {
        this->*key.field = iniTextReadInt(content, OPTIONS_SECTION, key.name, key.fileDefault);
    }
    replaceDamagedValues(*this);
}

bool GameOptions::save() const {
    if (filePath.empty()) {
        return false;
    }
    // All eight keys in one replacement of the file: one write at exit, and never
    // a file with some keys new and some old.
    constexpr int KEY_COUNT = sizeof(OPTION_KEYS) / sizeof(OPTION_KEYS[0]);
    char values[KEY_COUNT][16];
    IniEntry entries[KEY_COUNT];
    for (int i = 0; i < KEY_COUNT; ++i) {
        std::snprintf(values[i], sizeof(values[i]), "%i", this->*OPTION_KEYS[i].field);
        entries[i] = IniEntry{OPTION_KEYS[i].name, values[i]};
    }
    return iniWriteStrings(filePath.c_str(), OPTIONS_SECTION, entries, KEY_COUNT);
}

void GameOptions::saveIfChanged() const {
    if (changed) {
        save();
    }
}
