#pragma once

#include <atomic>
#include <cstdint>

#include "math/Vec.h"
#include "sound/Sound.h"

struct PlatformAudio;

constexpr int MIX_FRAMES_PER_BLOCK = 1024;  // stereo frames in one 4096-byte buffer
constexpr int MIX_RING_SAMPLES = 65536;     // 32 blocks of 2048 samples
constexpr int MIX_BLOCK_SAMPLES = MIX_FRAMES_PER_BLOCK * 2;
constexpr std::uint32_t MIX_BUFFER_BYTES = MIX_BLOCK_SAMPLES * 2;

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
    PlatformAudio* device = nullptr;
    bool deviceFailed = false;  // the last open found no output at all
    // The two output buffers, filled in turn: the output plays the one filled
    // last while the next one is mixed, just as it starts to take it.
    std::int16_t bufferA[MIX_BLOCK_SAMPLES] = {};
    std::int16_t bufferB[MIX_BLOCK_SAMPLES] = {};
    std::uint32_t deviceReadOffset = 0;  // bytes of the buffer being taken already handed out

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

    // Called each time the output is done with one buffer and takes the next:
    // mixes that one while the device is open.
    void onBufferDone();
    // Mixes the next block of every playing sound into the next of the two
    // buffers, the one the output takes now. A plain function of the player's
    // state; allocates nothing.
    void refill();
    // Brings the sound's gains, leads, muffling and rate up to date with where it
    // and the listener are now; false while it is still waiting to be heard.
    bool updateSpatial(Sound& sound);

    // Sets the player up like open, but with no output device: the caller drives
    // the mixing by calling refill() (or deviceCallback, as an output would), and
    // reads each result from lastMixedBuffer().
    void openWithoutDevice(float hearingRange, const Vec3* listenerPos,
                           const Vec3* listenerFacingDir);
    // The buffer the most recent refill filled.
    const std::int16_t* lastMixedBuffer() const { return nextBufferIsA ? bufferB : bufferA; }

    // What the output calls on its own thread whenever it needs byteCount more
    // bytes of the stream; instance is the player.
    static void deviceCallback(void* instance, std::uint8_t* stream, int byteCount);

private:
    void prepareMixing();
    void mixSound(Sound& sound);
    void freeSounds();
};
