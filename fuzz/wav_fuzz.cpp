// The WAV reader on any bytes, then, as the sound loader does, the MS ADPCM
// decoder on what it accepted. Every sample the mixer could read is read.
#include <cstddef>
#include <cstdint>

#include "sound/MsAdpcm.h"
#include "sound/Sound.h"
#include "sound/WavReader.h"

namespace {
volatile int gSampleSum = 0;

void readEverySample(const std::int16_t* samples, std::uint32_t count) {
    int sum = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        sum += samples[i];
    }
    gSampleSum = sum;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WavContents wav;
    if (readWav(data, size, wav) != 0) {
        return 0;
    }
    if (wav.formatTag() == WAVE_FORMAT_PCM) {
        readEverySample(wav.data, wav.dataSize / (wav.bitsPerSample() / 8));
        return 0;
    }
    std::int16_t* samples = nullptr;
    std::uint32_t byteCount = 0;
    if (decodeMsAdpcm(wav.format, wav.formatSize, reinterpret_cast<const std::uint8_t*>(wav.data),
                      wav.dataSize, samples, byteCount)) {
        readEverySample(samples, byteCount / 2);
        delete[] samples;
    }
    return 0;
}
