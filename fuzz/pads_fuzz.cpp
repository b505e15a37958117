// The pad mappings file (gamecontrollerdb.txt) on any text: no more mappings than
// the bound reach the library, each without a line end or a zero byte, and what
// the player is told is a few short lines with no control byte in them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/PadMappingLines.h"
#include "platform/GamepadDevice.h"

namespace {

// Small, so that the library's list (kept from one input to the next) stays short.
constexpr int MAX_MAPPINGS = 16;
constexpr std::size_t MAX_TOLD_BYTES = 400;
constexpr std::size_t MAX_TOLD_LINES = 5;

bool showable(const std::string& told) {
    for (char character : told) {
        const auto byte = static_cast<std::uint8_t>(character);
        if (byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return told.size() <= MAX_TOLD_BYTES;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    int takenHere = 0;
    const auto take = [&](const std::string& mapping, std::string& reason) {
        if (mapping.find_first_of(std::string("\n\0", 2)) != std::string::npos) {
            __builtin_trap();
        }
        const bool taken = platformAddPadMapping(mapping, reason);
        takenHere += taken ? 1 : 0;
        return taken;
    };
    PadMappingReport report("fuzz\x1b[2J", MAX_MAPPINGS);
    const int taken = takePadMappings(text, platformPadMappingSystem(), MAX_MAPPINGS, take, report);
    const std::vector<std::string> told = report.lines();
    if (taken != takenHere || taken > MAX_MAPPINGS || told.size() > MAX_TOLD_LINES) {
        __builtin_trap();
    }
    for (const std::string& line : told) {
        if (!showable(line)) {
            __builtin_trap();
        }
    }
    return 0;
}
