// The replay reader on any bytes: what it accepts plays back (every step and
// steering in range) and is written again to bytes that read back the same;
// what it refuses leaves no ticks behind and has a sentence for the player.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/FrameTick.h"
#include "app/ReplayFile.h"

namespace {
bool playsBack(const TickInput& tick) {
    return tick.stepSeconds >= TICK_SECONDS && tick.stepSeconds <= REPLAY_MAX_STEP_SECONDS &&
           tick.steerX >= -1.0f && tick.steerX <= 1.0f && tick.steerY >= -1.0f && tick.steerY <= 1.0f;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ReplayReading reading = decodeReplay(data, size);
    if (!reading.status.ok()) {
        if (!reading.replay.ticks.empty() || replayProblemSentence(reading.status).empty()) {
            __builtin_trap();
        }
        return 0;
    }
    for (const TickInput& tick : reading.replay.ticks) {
        if (!playsBack(tick)) {
            __builtin_trap();
        }
    }
    const std::vector<std::uint8_t> written = encodeReplay(reading.replay);
    const ReplayReading again = decodeReplay(written.data(), written.size());
    if (!again.status.ok() || encodeReplay(again.replay) != written ||
        again.replay.start.label != reading.replay.start.label) {
        __builtin_trap();
    }
    return 0;
}
