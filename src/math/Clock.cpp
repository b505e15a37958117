#include "math/Clock.h"

#include <utility>

#include "math/ProgramClock.h"

namespace {
std::function<double()>& testClock() {
    static std::function<double()> clock;
    return clock;
}
}  // namespace

double getTimeSeconds() {
    const std::function<double()>& clock = testClock();
    if (clock) {
        return clock();
    }
    return static_cast<double>(programMilliseconds()) / 1000.0;
}

void setClockForTesting(std::function<double()> clock) { testClock() = std::move(clock); }
