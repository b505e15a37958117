#include "math/Random.h"

#include "platform/Clock.h"

namespace {
std::uint32_t gRandomState = 1;
}

void seedRandom() { gRandomState = static_cast<std::uint32_t>(platformMilliseconds()); }

int randomDraw() {
    gRandomState = gRandomState * 214013u + 2531011u;
    return static_cast<int>((gRandomState >> 16) & 0x7fffu);
}

float randomUnit() { return static_cast<float>(randomDraw() / 32767.0); }

float randomSigned() { return static_cast<float>(1.0 - (2.0 * randomDraw()) / 32767.0); }

void setRandomState(std::uint32_t state) { gRandomState = state; }

std::uint32_t randomState() { return gRandomState; }
