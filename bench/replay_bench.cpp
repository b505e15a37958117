// What a replay costs: its bytes for a minute of play, and the time to write and
// read those bytes. The minute is synthetic: a tick every 0.03 s, downs of eight
// seconds whose steering changes in nine ticks of ten (the pointer moving), each
// followed by four still seconds (the wait for the hike, a score's sounds). Arg
// 0 is that mix; arg 1 is steering in every tick, arg 2 none at all.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "app/FrameTick.h"
#include "app/ReplayCodec.h"

namespace {

constexpr int TICKS_PER_MINUTE = 2000;  // 60 s / 0.03 s
constexpr int DOWN_TICKS = 267;         // 8 s
constexpr int STILL_TICKS = 133;        // 4 s

enum MinuteKind { MIX = 0, ALL_STEERING = 1, ALL_STILL = 2 };

bool steeringMoves(MinuteKind kind, int tick, std::mt19937& random) {
    if (kind != MIX) {
        return kind == ALL_STEERING;
    }
    return tick % (DOWN_TICKS + STILL_TICKS) < DOWN_TICKS && random() % 10 != 0;
}

Replay minuteOfPlay(MinuteKind kind) {
    std::mt19937 random(1);
    std::uniform_real_distribution<float> steer(-1.0f, 1.0f);
    Replay replay;
    replay.start.label = "1ST DOWN";
    replay.ticks.resize(TICKS_PER_MINUTE);
    TickInput last;
    for (int i = 0; i < TICKS_PER_MINUTE; ++i) {
        TickInput tick = last;
        tick.stepSeconds = TICK_SECONDS;
        if (steeringMoves(kind, i, random)) {
            tick.steerX = steer(random);
            tick.steerY = steer(random);
        }
        replay.ticks[static_cast<std::size_t>(i)] = tick;
        last = tick;
    }
    return replay;
}

void encodeMinute(benchmark::State& state) {
    const Replay replay = minuteOfPlay(static_cast<MinuteKind>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> bytes = encodeReplay(replay);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes_per_minute"] = static_cast<double>(size);
    state.counters["minutes_in_the_bound"] = static_cast<double>(REPLAY_MAX_BYTES) / static_cast<double>(size);
}
BENCHMARK(encodeMinute)->DenseRange(MIX, ALL_STILL)->Unit(benchmark::kMicrosecond);

void decodeMinute(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = encodeReplay(minuteOfPlay(MIX));
    for (auto _ : state) {
        const ReplayReading reading = decodeReplay(bytes.data(), bytes.size());
        benchmark::DoNotOptimize(reading.replay.ticks.data());
    }
}
BENCHMARK(decodeMinute)->Unit(benchmark::kMicrosecond);

}  // namespace
