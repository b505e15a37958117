#include <cstring>

#include "math/Clock.h"
#include "sound/SoundPlayer.h"

namespace {
constexpr float SPEED_OF_SOUND = 500.0f;  // world units per second
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
    sound.loop = loop;
    sound.dry = 1.0f;
    sound.muffle = 0.0f;
    sound.prevDistance = (*position - *listenerPosition).length();
    std::memset(sound.leftHistory, 0, sizeof sound.leftHistory);
    std::memset(sound.rightHistory, 0, sizeof sound.rightHistory);
    sound.leftSum = 0;
    sound.rightSum = 0;
    sound.leftHistoryPos = 0;
    sound.rightHistoryPos = 0;
    sound.leftLead = 0;
    sound.rightLead = 0;
    sound.startTime = static_cast<float>(getTimeSeconds() + sound.prevDistance / SPEED_OF_SOUND);
    // Last: the mixer on the audio thread takes up the sound once it sees this.
    sound.playing.store(true, std::memory_order_release);
}

bool SoundPlayer::isPlaying(int slot) const {
    if (slot < 0 || slot >= soundCount.load(std::memory_order_acquire)) {
        return false;
    }
    return sounds[slot].playing.load(std::memory_order_acquire);
}
