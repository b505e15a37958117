#include <cstdio>

#include "core/ErrorMessages.h"
#include "core/FileBytes.h"
#include "core/MediaPath.h"
#include "sound/MsAdpcm.h"
#include "sound/SoundPlayer.h"
#include "sound/WavReader.h"

namespace {
// Turns the file's data into the mono 16-bit stream the mixer steps through.
int takeSamples(WavContents& wav, std::int16_t*& samples, std::uint32_t& sampleCount) {
    if (wav.formatTag() == WAVE_FORMAT_PCM) {
        sampleCount = wav.dataSize / (wav.bitsPerSample() / 8);
        samples = wav.releaseData();
        return 0;
    }
    std::uint32_t decodedBytes = 0;
    if (!decodeMsAdpcm(wav.format, wav.formatSize, reinterpret_cast<const std::uint8_t*>(wav.data),
                       wav.dataSize, samples, decodedBytes)) {
        return SOUND_ERROR_CONVERSION;
    }
    sampleCount = decodedBytes / 2;
    return 0;
}
}  // namespace

int SoundPlayer::loadSound(const char* fileName) {
    const int slot = soundCount.load(std::memory_order_acquire);
    if (slot >= SOUND_SLOTS) {
        return SOUND_ERROR_NO_FREE_SLOT;
    }
    char path[MAX_PATH_LENGTH] = {};
    if (fileName == nullptr || !makeMediaPath(path, fileName)) {
        showError("Could not open file:", fileName != nullptr ? fileName : "", SEVERITY_ERROR);
        return SOUND_ERROR_OPEN_OR_RIFF;
    }
    std::FILE* file = openPlainFile(path);
    if (file == nullptr) {
        showError("Could not open file:", path, SEVERITY_ERROR);
        return SOUND_ERROR_OPEN_OR_RIFF;
    }
    WavContents wav;
    const int readResult = readWavFile(file, wav);
    std::fclose(file);
    if (readResult < 0) {
        return readResult;
    }
    std::int16_t* samples = nullptr;
    std::uint32_t sampleCount = 0;
    const int takeResult = takeSamples(wav, samples, sampleCount);
    if (takeResult < 0) {
        return takeResult;
    }
    // The slot is complete before the count that lets the mixer see it grows.
    Sound& sound = sounds[slot];
    sound.playing.store(false);
    sound.playPosition = 0;
    sound.samples = samples;
    sound.sampleCount = sampleCount;
    soundCount.store(slot + 1, std::memory_order_release);
    return slot;
}
