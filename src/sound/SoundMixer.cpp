// The mixing of every playing sound into the output stream, with the cues that
// place it around the listener: distance delay, fall-off, Doppler, panning with
// an early near ear, and muffling from behind.
#include <cstring>

#include "math/ProgramClock.h"
#include "sound/SoundPlayer.h"

namespace {
constexpr int HISTORY_LENGTH = 16;        // samples in the muffling average
constexpr int LARGEST_LEAD = 16;          // samples the near ear reads ahead
constexpr int SAMPLE_LIMIT = 32767;
// Indexes from a rate this far out can only come from a broken position; they
// end the sound rather than overflow the conversion.
constexpr double INDEX_BOUND = 9.0e18;

int clampSample(int value) {
    if (value > SAMPLE_LIMIT) {
        return SAMPLE_LIMIT;
    }
    if (value < -SAMPLE_LIMIT) {
        return -SAMPLE_LIMIT;
    }
    return value;
}

// Keeps the last 16 gained samples of one channel and their sum.
void pushHistory(std::int16_t* history, std::int32_t& position, std::int32_t& sum, int sample) {
    sum += sample - history[position];
    history[position] = static_cast<std::int16_t>(sample);
    position = (position + 1) % HISTORY_LENGTH;
}

// dry times the sample plus muffle times the mean of the last 16 gained samples.
int muffled(int sample, std::int32_t sum, float dry, float muffle) {
    const int dryPart = static_cast<int>(static_cast<float>(sample) * dry);
    return static_cast<int>(static_cast<float>(dryPart) +
                            static_cast<float>(sum) * muffle / static_cast<float>(HISTORY_LENGTH));
}
}  // namespace

void SoundPlayer::onBufferDone() {
    if (deviceOpen.load(std::memory_order_acquire)) {
        refill();
    }
}

void SoundPlayer::refill() {
    if (mixRing == nullptr) {
        return;
    }
    lastMixMilliseconds.store(programMilliseconds(), std::memory_order_relaxed);
    if (mixingPaused.load(std::memory_order_acquire)) {
        // Silence, and every sound stays where it was: it goes on from there.
        std::memset(nextBufferIsA ? bufferA : bufferB, 0, MIX_BUFFER_BYTES);
        nextBufferIsA = !nextBufferIsA;
        return;
    }
    const int loaded = soundCount.load(std::memory_order_acquire);
    for (int slot = 0; slot < loaded; ++slot) {
        Sound& sound = sounds[slot];
        if (sound.playing.load(std::memory_order_acquire) && updateSpatial(sound)) {
            if (sound.silent.load(std::memory_order_relaxed)) {
                // Mixed all the same, at no loudness, so it advances and ends as if heard.
                sound.leftGain = 0.0f;
                sound.rightGain = 0.0f;
                sound.muffle = 0.0f;  // nor may an average of earlier samples be heard
            }
            mixSound(sound);
        }
    }
    std::int16_t* block = mixRing + writeCursor;
    // Copying into the buffer is what hands it to the output.
    std::memcpy(nextBufferIsA ? bufferA : bufferB, block, MIX_BUFFER_BYTES);
    std::memset(block, 0, MIX_BUFFER_BYTES);
    writeCursor += MIX_BLOCK_SAMPLES;
    if (writeCursor >= static_cast<std::uint32_t>(MIX_RING_SAMPLES)) {
        writeCursor = 0;
    }
    nextBufferIsA = !nextBufferIsA;
}

void SoundPlayer::mixSound(Sound& sound) {
    double start = sound.playPosition;
    std::uint32_t frame = 0;  // frames since start
    std::uint32_t out = 0;
    // The last 16 samples are never played: the near ear reads up to 16 ahead.
    const std::uint32_t limit = sound.sampleCount > 16 ? sound.sampleCount - 16 : 0;
    std::int16_t* block = mixRing + writeCursor;
    while (out < static_cast<std::uint32_t>(MIX_BLOCK_SAMPLES)) {
        const double exact = start + static_cast<double>(frame) * static_cast<double>(sound.rate);
        const bool indexUsable = exact > -INDEX_BOUND && exact < INDEX_BOUND;
        const std::uint32_t index =
            indexUsable ? static_cast<std::uint32_t>(static_cast<std::int64_t>(exact))
                        : 0xFFFFFFFFu;
        if (index >= limit) {
            // A looping sound restarts without a gap, on this same frame, unless
            // it is too short to play at all (it would restart for ever).
            if (sound.loop && limit > 0 && indexUsable) {
                start = 0.0;
                frame = 0;
                continue;
            }
            sound.playPosition = exact;
            sound.playing.store(false, std::memory_order_release);
            return;
        }
        int left = static_cast<int>(sound.samples[index + sound.leftLead] * sound.leftGain);
        int right = static_cast<int>(sound.samples[index + sound.rightLead] * sound.rightGain);
        pushHistory(sound.leftHistory, sound.leftHistoryPos, sound.leftSum, left);
        pushHistory(sound.rightHistory, sound.rightHistoryPos, sound.rightSum, right);
        if (sound.muffle > 0.0f) {
            left = muffled(left, sound.leftSum, sound.dry, sound.muffle);
            right = muffled(right, sound.rightSum, sound.dry, sound.muffle);
        }
        block[out] = static_cast<std::int16_t>(clampSample(block[out] + left));
        block[out + 1] = static_cast<std::int16_t>(clampSample(block[out + 1] + right));
        out += 2;
        frame += 1;
    }
    // The next block goes on one step past this block's last frame, fraction and
    // all: a block that began again at its last index would play that sample twice,
    // a tick at every block, and one that dropped the fraction would flatten the pitch.
    sound.playPosition = start + static_cast<double>(frame) * static_cast<double>(sound.rate);
}

bool SoundPlayer::updateSpatial(Sound& sound) {
    // Compared at the precision startTime is kept in: a sound played this very
    // millisecond at the listener is heard at once, not a buffer later because
    // its start rounded up past the clock.
    const float now = static_cast<float>(soundClock());
    if (now < sound.startTime) {
        return false;
    }
    // Positions as the game last handed them over: its own vectors may be
    // changing on the other thread right now.
    const Vec3 toSound = sound.heardPosition.load() - heardListenerPosition.load();
    const float distance = toSound.length();
    sound.rate = (sound.prevDistance - distance) / 10.0f + sound.baseRate;
    sound.prevDistance = distance;

    const float hearingRange = range.load(std::memory_order_relaxed);
    const float atten = (hearingRange - distance) / hearingRange;
    if (!(atten > 0.0f)) {  // out of range (or no range at all): advances silently
        sound.leftGain = 0.0f;
        sound.rightGain = 0.0f;
        return true;
    }
    Vec3 heading(toSound.x, 0.0f, toSound.z);
    if (heading.normalize() == 0.0f) {
        // At the listener's own x and z the sound has no direction: both ears
        // hear it alike, rather than the right ear alone.
        sound.leftGain = atten;
        sound.rightGain = atten;
        sound.leftLead = 0;
        sound.rightLead = 0;
        sound.muffle = 0.0f;
        sound.dry = 1.0f;
        return true;
    }
    const Vec3 facing = heardListenerFacing.load();
    const float facingX = facing.x;
    const float facingZ = facing.z;
    const float cosine = facingX * heading.x + facingZ * heading.z;
    const float side = facingX * heading.z - facingZ * heading.x;
    float farEar = 0.0f;
    if (cosine < 0.0f) {  // behind
        sound.muffle = -cosine;
        farEar = -cosine;
    } else {
        sound.muffle = 0.0f;
        farEar = cosine;
    }
    sound.dry = 1.0f - sound.muffle;
    int lead = static_cast<int>((1.0f - farEar) * static_cast<float>(LARGEST_LEAD));
    // A facing longer than 1 would make the lead negative: never read before the
    // samples.
    if (lead < 0) {
        lead = 0;
    }
    if (side >= 0.0f) {  // on the right (-x when facing +z)
        sound.rightGain = atten;
        sound.leftGain = atten * farEar;
        sound.rightLead = lead;
        sound.leftLead = 0;
    } else {
        sound.leftGain = atten;
        sound.rightGain = atten * farEar;
        sound.leftLead = lead;
        sound.rightLead = 0;
    }
    return true;
}
