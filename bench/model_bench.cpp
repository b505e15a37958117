// Reading every model the game loads at start, without a window: the text
// parsing and checks of the reader, with texture creation left out.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "BenchMedia.h"
#include "core/ErrorMessages.h"
#include "model/Model.h"
#include "model/ModelTextures.h"

namespace {

const char* const GAME_MODELS[] = {"field.a3f", "zq.a3f", "zorbak.a3f", "football.a3f",
                                   "uprights.a3f"};

void parseEveryModel(benchmark::State& state) {
    BenchMedia media;
    if (!media.ok()) {
        state.SkipWithError("no media folder (build the zorbak target or set ZF_BENCH_MEDIA)");
        return;
    }
    int errors = 0;
    setErrorBoxHandlerForTesting([&errors](ErrorSeverity, const std::string&, const std::string&) {
        ++errors;
        return true;
    });
    setTextureCreatorForTesting([](const char*, AlphaMode, float) { return std::uint32_t{1}; });
    std::int64_t faces = 0;
    for (auto _ : state) {
        for (const char* name : GAME_MODELS) {
            Model model;
            if (model.parseA3f(name)) {
                faces += model.faceCount;
            }
            benchmark::DoNotOptimize(model.vertices);
        }
    }
    setTextureCreatorForTesting(nullptr);
    setErrorBoxHandlerForTesting(nullptr);
    if (errors != 0) {
        state.SkipWithError("a model failed to parse");
    }
    state.counters["faces_per_pass"] =
        state.iterations() > 0 ? static_cast<double>(faces) / static_cast<double>(state.iterations()) : 0.0;
}
BENCHMARK(parseEveryModel)->Unit(benchmark::kMillisecond);

}  // namespace
