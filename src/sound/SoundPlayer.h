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
//
// Two threads, no lock. The mixer runs on the output's thread (deviceCallback);
// everything else is called from the game's. What they share is atomic: a slot's
// playing flag (play fills the slot before it sets it; the mixer stores where the
// sound ended before it clears it), soundCount (a slot is complete before it
// counts), deviceOpen (cleared before the output stops), and the positions, which
// the mixer reads only from the copies followPositions hands over, never from the
// game's own vectors.
class SoundPlayer {
public:
    Sound sounds[SOUND_SLOTS];
    std::atomic<int> soundCount{0};
    std::atomic<bool> deviceOpen{false};
    bool nextBufferIsA = true;
    std::uint32_t writeCursor = 0;
    std::int16_t* mixRing = nullptr;
    // The game's own vectors, read on the game's thread only; the mixer hears
    // the copies that followPositions hands over.
    const Vec3* listenerPosition = nullptr;
    const Vec3* listenerFacing = nullptr;
    SharedPosition heardListenerPosition;
    SharedPosition heardListenerFacing;
    std::atomic<float> range{0.0f};
    // When the mixer last filled a buffer, in real milliseconds (never the game's
    // clock, which tests drive at their own pace): an output that has stopped
    // asking for buffers can end no sound.
    std::atomic<std::uint64_t> lastMixMilliseconds{0};
    // While set the mixer hands the output silence and moves no sound on.
    std::atomic<bool> mixingPaused{false};
    // Time spent paused so far: the sounds' own clock leaves it out, so a sound
    // still waiting for its distance delay waits only the rest of it afterwards.
    std::atomic<double> pausedSeconds{0.0};
    static_assert(std::atomic<double>::is_always_lock_free, "the mixer must never wait for a lock");
    double pauseBegan = 0.0;  // the game's thread only
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
    // Like close, for the program's end: the output stops at once instead of
    // playing out its last buffers first (platformAbandonAudio).
    void closeForExit();
    // The slot index (0 ... 15), or a negative SoundLoadError.
    int loadSound(const char* fileName);
    void play(int slot, const Vec3* position, float rate, bool loop);
    bool isPlaying(int slot) const;
    // Makes the sound in slot silent, or heard again, from its next buffer on;
    // it keeps its place and its length either way. Nothing for a slot that is
    // not loaded.
    void setSilent(int slot, bool silent);
    // Whether the sound in slot is still to be heard to its end: it plays, and
    // the output is mixing. An output that has mixed nothing for a while cannot
    // end the sound, so it counts as heard then, and whoever waits for it goes on.
    bool stillToBeHeard(int slot) const;
    // Hands the mixer the listener's place and facing and the place of every
    // playing sound, as the game has them now; it hears them there from its next
    // buffer on. The game calls it after each step that moves things.
    void followPositions();
    // Holds every sound where it is, and goes on from there on resume. The
    // output keeps running (in silence), so a paused sound still counts as to
    // be heard.
    void pause();
    void resume();
    // The clock the sounds' start times are kept on: the game's clock less the
    // time spent paused.
    double soundClock() const;

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
    void followListener();
    // close and closeForExit, with the output's own way to stop.
    void closeWith(void (*stopOutput)(PlatformAudio*));
    void mixSound(Sound& sound);
    void freeSounds();
};
