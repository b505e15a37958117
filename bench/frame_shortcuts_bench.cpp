// What the renderer's shortcuts save: the CPU time (of the whole process, the
// software renderer's threads included) of one scripted drive at 640 x 480, drawn
// the plain way, with each shortcut alone and with all of them, and the frames
// drawn and skipped per drive. Needs a display (xvfb-run). Pair and alternate
// the variants, and take medians, on a machine that others load too:
//
//   xvfb-run -a build/bench/frame_shortcuts_bench --benchmark_repetitions=9
//       --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "media_generator/Models.h"
#include "platform/ExecutablePath.h"
#include "common/ScriptedDrive.h"

namespace {

enum Shortcut { SKIP = 1, REPLACE = 2, TRIM = 4 };

std::string mediaFolder() {
    const char* chosen = std::getenv("ZF_BENCH_MEDIA");
    return chosen != nullptr ? chosen : platformExecutableDirectory() + "/../media";
}

void drive(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const int shortcuts = static_cast<int>(state.range(0));
    DriveSetup setup;
    setup.skipUnchangedFrames = (shortcuts & SKIP) != 0;
    setup.replaceUnlitTextures = (shortcuts & REPLACE) != 0;
    if ((shortcuts & TRIM) == 0) setup.fieldText = a3fText(buildField(HiddenParts::KEPT));
    setup.lights = static_cast<int>(state.range(1));
    const std::string media = mediaFolder();
    int drawn = 0, skipped = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto game = std::make_unique<ScriptedDrive>(setup, media);
        if (!game->ready()) {
            state.SkipWithError("the game did not start (is there a display and a media folder?)");
            return;
        }
        state.ResumeTiming();
        game->play();
        state.PauseTiming();
        drawn = game->drawn();
        skipped = game->skipped();
        game.reset();
        state.ResumeTiming();
    }
    state.counters["drawn"] = drawn;
    state.counters["skipped"] = skipped;
}

// Arguments: the shortcuts in use, the Lights option.
BENCHMARK(drive)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->ArgNames({"shortcuts", "lights"})
    ->Args({0, 0})
    ->Args({SKIP, 0})
    ->Args({REPLACE, 0})
    ->Args({TRIM, 0})
    ->Args({SKIP | REPLACE | TRIM, 0})
    ->Args({0, 1})
    ->Args({SKIP | REPLACE | TRIM, 1});

}  // namespace
