#include "math/Random.h"

#include <chrono>

namespace {
std::uint32_t gRandomState = 1;
}

void seedRandom() {
    // Milliseconds of the system's monotonic clock (on Linux, since boot), cut to 32
    // bits like the multimedia timer. The game's own clock starts with the program,
    // so it would give nearly the same seed at every start.
    auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    gRandomState = static_cast<std::uint32_t>(milliseconds);
}

int randomDraw() {
    gRandomState = gRandomState * 214013u + 2531011u;
    return static_cast<int>((gRandomState >> 16) & 0x7fffu);
}

float randomUnit() { return static_cast<float>(randomDraw() / 32767.0); }

float randomSigned() { return static_cast<float>(1.0 - (2.0 * randomDraw()) / 32767.0); }

void setRandomState(std::uint32_t state) { gRandomState = state; }

std::uint32_t randomState() { return gRandomState; }
