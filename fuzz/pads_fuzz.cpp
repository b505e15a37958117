// The pad mappings file (gamecontrollerdb.txt) on any text: every line is either
// passed over, taken or refused with its number, and the numbers only grow.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/GamepadDevice.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    int lastRefused = 0;
    int refusedCount = 0;
    const int taken = platformAddPadMappings(text, [&](int line, const std::string&) {
        if (line <= lastRefused) {
            __builtin_trap();
        }
        lastRefused = line;
        ++refusedCount;
    });
    int lines = 1;
    for (char character : text) {
        lines += character == '\n' ? 1 : 0;
    }
    if (taken < 0 || taken + refusedCount > lines || lastRefused > lines) {
        __builtin_trap();
    }
    return 0;
}
