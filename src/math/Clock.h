#pragma once

#include <functional>

// Seconds on a monotonic clock whose zero is the program's start; it keeps
// millisecond steps and does not wrap during a run.
double getTimeSeconds();

// Replaces the clock for a test (an empty function restores the real one), so
// that frame timing and sound delays can be checked step by step.
void setClockForTesting(std::function<double()> clock);
