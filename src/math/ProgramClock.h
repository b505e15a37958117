#pragma once

#include <cstdint>

// Milliseconds since the program started, from a monotonic source: never goes
// back, never wraps during a run.
std::uint64_t programMilliseconds();
