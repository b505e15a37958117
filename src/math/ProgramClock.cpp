#include "math/ProgramClock.h"

#include <chrono>

namespace {
// Taken during static initialisation, so the base is the program's start.
const std::chrono::steady_clock::time_point gProgramStart = std::chrono::steady_clock::now();
}

std::uint64_t programMilliseconds() {
    auto elapsed = std::chrono::steady_clock::now() - gProgramStart;
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
