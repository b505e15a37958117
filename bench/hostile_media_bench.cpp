// What damaged or hostile media files cost the game before they are refused:
// the four pictures with lying headers measured on the game (and the costliest lie
// within the size rule: a progressive JPEG at the pixel limit whose data is
// missing), and a sound file of 10 MB of empty chunks. Each should take well under
// 50 ms; the pictures' peak resident growth is reported as peak_MB.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "BenchMedia.h"
#include "model/Image.h"
#include "sound/SoundPlayer.h"
#include "sound/SoundTestSupport.h"
#include "support/HostileImages.h"
#include "support/PeakMemory.h"

namespace {
std::vector<HostileImage> hostileImages() {
    std::vector<HostileImage> images = measuredHostileImages();
    images.push_back({"progressive_2048_missing_data.jpg",
                      withJpegSize(smallJpeg(progressiveCoding()), 2048, 2048)});
    return images;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void refuseLyingImage(benchmark::State& state) {
    BenchMedia media;
    const HostileImage image = hostileImages()[static_cast<std::size_t>(state.range(0))];
    writeFile(media.mediaPath(image.name), image.bytes);
    state.SetLabel(image.name);
    int width = 0;
    int height = 0;
    PeakMemoryWatch watch;
    std::uint8_t* first = loadImage(image.name, width, height);
    state.counters["peak_MB"] = static_cast<double>(watch.peakGrowthMb());
    bool refused = first == nullptr;
    std::free(first);
    for (auto _ : state) {
        std::uint8_t* pixels = loadImage(image.name, width, height);
        refused = refused && pixels == nullptr;
        std::free(pixels);
    }
    if (!refused) {
        state.SkipWithError("the picture was accepted");
    }
}
BENCHMARK(refuseLyingImage)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// 10 MB of 8-byte empty chunks between the format and the data: with the data
// chunk at the end (loaded) or without it (refused).
void loadSoundOfEmptyChunks(benchmark::State& state) {
    BenchMedia media;
    const bool withData = state.range(0) != 0;
    std::string emptyChunks;
    for (int i = 0; i < 10 * 1024 * 1024 / 8; ++i) {
        emptyChunks += riffChunk("junk", "");
    }
    WavParts parts;
    parts.between = emptyChunks;
    parts.data = rampBytes(100);
    std::string file = wavFile(parts);
    if (!withData) {
        file.resize(file.size() - 8 - 200);
    }
    writeFile(media.mediaPath("chunks.wav"), file);
    state.SetLabel(withData ? "loaded" : "refused");
    bool asExpected = true;
    for (auto _ : state) {
        SoundPlayer player;
        const int result = player.loadSound("chunks.wav");
        asExpected = asExpected && (withData ? result == 0 : result == SOUND_ERROR_TRUNCATED);
    }
    if (!asExpected) {
        state.SkipWithError("unexpected load result");
    }
}
BENCHMARK(loadSoundOfEmptyChunks)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
}  // namespace
