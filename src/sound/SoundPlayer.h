#pragma once

#include <atomic>
#include <cstdint>

#include "math/Vec.h"
#include "sound/Sound.h"

constexpr int MIX_FRAMES_PER_BLOCK = 1024;  // stereo frames in one 4096-byte buffer
constexpr int MIX_RING_SAMPLES = 65536;     // 32 blocks of 2048 samples

// Keeps one endless 11025 Hz 16-bit stereo stream playing and mixes every
// playing Sound into it with distance delay, fall-off, Doppler, panning and
// muffling around a listener the game owns.
class SoundPlayer {
public:
    Sound sounds[SOUND_SLOTS];
    std::atomic<int> soundCount{0};
    std::atomic<bool> deviceOpen{false};
    bool nextBufferIsA = true;
    std::uint32_t writeCursor = 0;
    std::int16_t* mixRing = nullptr;
    const Vec3* listenerPosition = nullptr;
    const Vec3* listenerFacing = nullptr;
    float range = 0.0f;

    SoundPlayer() = default;
    ~SoundPlayer() { close(); }
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void open(float hearingRange, const Vec3* listenerPos, const Vec3* listenerFacingDir);
    void close();
    // The slot index (0 ... 15), or a negative SoundLoadError.
    int loadSound(const char* fileName);
    void play(int slot, const Vec3* position, float rate, bool loop);
    bool isPlaying(int slot) const;
};
