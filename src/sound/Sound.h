#pragma once

#include <atomic>
#include <cstdint>

#include "math/Vec.h"
#include "sound/SharedPosition.h"

constexpr int SOUND_SLOTS = 16;

// Negative results of SoundPlayer::loadSound.
enum SoundLoadError {
    SOUND_ERROR_OPEN_OR_RIFF = -1,  // cannot open, or the first tag is not "RIF?"
    SOUND_ERROR_WAVE = -2,          // the form tag is not "WAV?"
    SOUND_ERROR_FMT = -3,           // the first chunk is not "fmt?"
    // Format over 50 bytes, neither PCM nor MS ADPCM, or PCM that is not 16-bit:
    // the mixer reads nothing but 16-bit samples.
    SOUND_ERROR_FORMAT = -4,
    SOUND_ERROR_CONVERSION = -5,    // the ADPCM data could not be decoded
    SOUND_ERROR_NO_FREE_SLOT = -6,  // all SOUND_SLOTS slots already hold a sound
    // The file ends before its "data" chunk or before the end of the data it
    // declares (or the data cannot be held in memory): a cut file is refused
    // rather than played in part.
    SOUND_ERROR_TRUNCATED = -7,
};

// One loaded sound and its playback state. The samples are one mono stream of
// signed 16-bit values, whatever the file's channel count.
struct Sound {
    std::int16_t* samples = nullptr;
    std::int16_t leftHistory[16] = {};
    std::int16_t rightHistory[16] = {};
    float baseRate = 0.0f;
    float rate = 0.0f;
    const Vec3* position = nullptr;  // the game's own vector; read on the game's thread only
    SharedPosition heardPosition;    // where the mixer hears the sound (SoundPlayer::followPositions)
    float prevDistance = 0.0f;
    float rightGain = 0.0f;
    float leftGain = 0.0f;
    std::int32_t rightLead = 0;
    std::int32_t leftLead = 0;
    std::atomic<bool> playing{false};
    // Mixed at no loudness: it plays, advances and ends exactly as if heard, so
    // whoever waits for it waits just as long.
    std::atomic<bool> silent{false};
    bool loop = false;
    // Where in the samples the next block starts (where it ended, once it has):
    // kept with its fraction, since a rate that is not whole steps between samples.
    double playPosition = 0.0;
    std::uint32_t sampleCount = 0;
    float dry = 0.0f;
    float muffle = 0.0f;
    std::int32_t leftHistoryPos = 0;
    std::int32_t rightHistoryPos = 0;
    std::int32_t leftSum = 0;
    std::int32_t rightSum = 0;
    float startTime = 0.0f;
};
