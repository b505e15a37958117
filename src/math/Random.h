#pragma once

#include <cstdint>

// The game's one random source: a 32-bit linear congruential generator giving
// 15-bit draws. Both public functions divide by 32767, so a generator with a wider
// range must not be put behind them.

// Seeds the generator from the millisecond clock, once at start.
void seedRandom();
// draw / 32767, in [0, 1]; both ends reachable.
float randomUnit();
// 1 - 2 * draw / 32767, in [-1, 1]; both ends reachable.
float randomSigned();

// The next 15-bit draw, 0 ... 32767.
int randomDraw();
// Sets the generator's state, so that a test can replay a sequence.
void setRandomState(std::uint32_t state);
std::uint32_t randomState();
