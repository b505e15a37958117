#include <cstring>

#include "math/Clock.h"
#include "math/ProgramClock.h"
#include "sound/SoundPlayer.h"

namespace {
constexpr float SPEED_OF_SOUND = 500.0f;  // world units per second
// The output asks for a buffer every 92.9 ms; one that has asked for none in this
// long has stopped (or the machine is too busy to play sound at all).
constexpr std::uint64_t OUTPUT_STALL_MILLISECONDS = 2000;
}

void SoundPlayer::play(int slot, const Vec3* position, float rate, bool loop) {
    if (slot < 0 || slot >= soundCount.load(std::memory_order_acquire)) {
        return;
    }
    Sound& sound = sounds[slot];
    if (sound.playing.load(std::memory_order_acquire) || sound.samples == nullptr) {
        return;
    }
    // Only a running mixer ever ends a sound: without one a sound would count as
    // playing for ever, and whoever waits for it would wait for ever.
    if (!deviceOpen.load(std::memory_order_acquire) || position == nullptr ||
        listenerPosition == nullptr || listenerFacing == nullptr) {
        return;
    }
    sound.playPosition = 0;
    sound.baseRate = rate;
    sound.rate = rate;
    sound.position = position;
    // The mixer hears the sound from where it is now, and the Doppler rate starts
    // from the distance it will hear first.
    sound.heardPosition.store(*position);
    followListener();
    sound.loop = loop;
    sound.dry = 1.0f;
    sound.muffle = 0.0f;
    sound.prevDistance = (sound.heardPosition.load() - heardListenerPosition.load()).length();
    std::memset(sound.leftHistory, 0, sizeof sound.leftHistory);
    std::memset(sound.rightHistory, 0, sizeof sound.rightHistory);
    sound.leftSum = 0;
    sound.rightSum = 0;
    sound.leftHistoryPos = 0;
    sound.rightHistoryPos = 0;
    sound.leftLead = 0;
    sound.rightLead = 0;
    sound.startTime = static_cast<float>(soundClock() + sound.prevDistance / SPEED_OF_SOUND);
    // Last: the mixer on the audio thread takes up the sound once it sees this.
    sound.playing.store(true, std::memory_order_release);
}

bool SoundPlayer::isPlaying(int slot) const {
    if (slot < 0 || slot >= soundCount.load(std::memory_order_acquire)) {
        return false;
    }
    return sounds[slot].playing.load(std::memory_order_acquire);
}

void SoundPlayer::setSilent(int slot, bool silent) {
    if (slot >= 0 && slot < soundCount.load(std::memory_order_acquire)) {
        sounds[slot].silent.store(silent, std::memory_order_relaxed);
    }
}

bool SoundPlayer::stillToBeHeard(int slot) const {
    if (!isPlaying(slot) || !deviceOpen.load(std::memory_order_acquire)) {
        return false;
    }
    const std::uint64_t lastMix = lastMixMilliseconds.load(std::memory_order_relaxed);
    const std::uint64_t now = programMilliseconds();
    return now < lastMix || now - lastMix < OUTPUT_STALL_MILLISECONDS;
}

void SoundPlayer::followListener() {
    if (listenerPosition != nullptr) {
        heardListenerPosition.store(*listenerPosition);
    }
    if (listenerFacing != nullptr) {
        heardListenerFacing.store(*listenerFacing);
    }
}

void SoundPlayer::followPositions() {
    followListener();
    const int loaded = soundCount.load(std::memory_order_acquire);
    for (int slot = 0; slot < loaded; ++slot) {
        Sound& sound = sounds[slot];
        // Only play() sets the pointer, and only this thread calls play().
        if (sound.playing.load(std::memory_order_acquire) && sound.position != nullptr) {
            sound.heardPosition.store(*sound.position);
        }
    }
}

void SoundPlayer::pause() {
    if (mixingPaused.load(std::memory_order_relaxed)) {
        return;
    }
    pauseBegan = getTimeSeconds();
    mixingPaused.store(true, std::memory_order_release);
}

void SoundPlayer::resume() {
    if (!mixingPaused.load(std::memory_order_relaxed)) {
        return;
    }
    const double pausedFor = getTimeSeconds() - pauseBegan;
    if (pausedFor > 0.0) {
        pausedSeconds.store(pausedSeconds.load(std::memory_order_relaxed) + pausedFor,
                            std::memory_order_relaxed);
    }
    // Last: the mixer reads the new clock only once it mixes again.
    mixingPaused.store(false, std::memory_order_release);
}

double SoundPlayer::soundClock() const {
    return getTimeSeconds() - pausedSeconds.load(std::memory_order_relaxed);
}
