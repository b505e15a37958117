// One refill of the mixer with every slot playing: it has 92.9 ms of audio time
// to finish in, on the audio thread.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "math/Clock.h"
#include "sound/SoundPlayer.h"

namespace {
void refillOfSixteenSounds(benchmark::State& state) {
    double now = 1000.0;
    setClockForTesting([&now] { return now; });
    Vec3 listener(0.0f, 1.0f, -5.0f);
    Vec3 facing(0.0f, 0.0f, 1.0f);
    std::vector<Vec3> positions;
    for (int slot = 0; slot < SOUND_SLOTS; ++slot) {
        const float angle = static_cast<float>(slot) * 0.4f;
        positions.emplace_back(20.0f * std::cos(angle), 0.0f, 20.0f * std::sin(angle));
    }
    SoundPlayer player;
    player.openWithoutDevice(75.0f, &listener, &facing);
    constexpr std::uint32_t SAMPLE_COUNT = 11025 * 3;
    for (int slot = 0; slot < SOUND_SLOTS; ++slot) {
        Sound& sound = player.sounds[slot];
        sound.samples = new std::int16_t[SAMPLE_COUNT];
        for (std::uint32_t i = 0; i < SAMPLE_COUNT; ++i) {
            sound.samples[i] = static_cast<std::int16_t>(20000.0 * std::sin(i * 0.05 * (slot + 1)));
        }
        sound.sampleCount = SAMPLE_COUNT;
        player.soundCount.store(slot + 1);
        // Looping keeps every sound playing for as long as the benchmark runs.
        player.play(slot, &positions[static_cast<std::size_t>(slot)], 1.0f, true);
    }
    now += 1.0;  // past every start delay
    for (auto _ : state) {
        player.refill();
        benchmark::DoNotOptimize(player.bufferA[0]);
        benchmark::DoNotOptimize(player.bufferB[0]);
    }
    int playing = 0;
    for (int slot = 0; slot < SOUND_SLOTS; ++slot) {
        playing += player.isPlaying(slot) ? 1 : 0;
    }
    state.counters["playing"] = playing;
    player.close();
    setClockForTesting(nullptr);
}
BENCHMARK(refillOfSixteenSounds)->Unit(benchmark::kMicrosecond);
}  // namespace
