// The game.ini reader and writer on any text: every option is read, then all are
// written as the options' save does. Whatever the text held, each key must then
// read back as written, and writing the same values again must change nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/IniFile.h"

namespace {
const char* const SECTION = "Game";
const char* const KEYS[] = {"Windowed", "Lights",  "Music",  "Joystick",
                            "UseHiQualTex", "Width", "Height", "UseScreenRes"};
constexpr int KEY_COUNT = 8;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string content(reinterpret_cast<const char*>(data), size);
    int values[KEY_COUNT];
    std::string texts[KEY_COUNT];
    IniEntry entries[KEY_COUNT];
    for (int i = 0; i < KEY_COUNT; ++i) {
        // What was read, every other one changed, so that some keys are rewritten.
        values[i] = iniTextReadInt(content, SECTION, KEYS[i], i) ^ (i % 2);
        texts[i] = std::to_string(values[i]);
        entries[i] = {KEYS[i], texts[i].c_str()};
    }
    if (!iniTextSetStrings(content, SECTION, entries, KEY_COUNT)) {
        __builtin_trap();
    }
    for (int i = 0; i < KEY_COUNT; ++i) {
        if (iniTextReadInt(content, SECTION, KEYS[i], values[i] ^ 1) != values[i]) {
            __builtin_trap();
        }
    }
    const std::string written = content;
    if (!iniTextSetStrings(content, SECTION, entries, KEY_COUNT) || content != written) {
        __builtin_trap();
    }
    return 0;
}
