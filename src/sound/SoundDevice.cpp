// Opening and closing the output, and handing the mixed buffers to it.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "core/StartReport.h"
#include "math/ProgramClock.h"
#include "platform/AudioDevice.h"
#include "sound/SoundPlayer.h"

void SoundPlayer::open(float hearingRange, const Vec3* listenerPos, const Vec3* listenerFacingDir) {
    range.store(hearingRange, std::memory_order_relaxed);
    listenerPosition = listenerPos;
    listenerFacing = listenerFacingDir;
    followListener();
    if (deviceOpen.load()) {
        return;
    }
    // Opened paused: no callback runs before the buffers exist.
    std::string silentBecause;
    PlatformAudio* audio = platformOpenAudio(&SoundPlayer::deviceCallback, this, &silentBecause);
    deviceFailed = audio == nullptr;
    // Not worth stopping the game for, but the player should know why it is quiet.
    if (!silentBecause.empty()) {
        reportStartNotice("no sound device, the game plays without sound", silentBecause);
    }
    if (audio == nullptr) {
        return;
    }
    prepareMixing();
    if (mixRing == nullptr) {
        platformCloseAudio(audio);
        deviceFailed = true;
        return;
    }
    device = audio;
    deviceOpen.store(true, std::memory_order_release);
    platformStartAudio(device);
}

void SoundPlayer::openWithoutDevice(float hearingRange, const Vec3* listenerPos,
                                    const Vec3* listenerFacingDir) {
    range.store(hearingRange, std::memory_order_relaxed);
    listenerPosition = listenerPos;
    listenerFacing = listenerFacingDir;
    followListener();
    if (deviceOpen.load()) {
        return;
    }
    prepareMixing();
    deviceFailed = mixRing == nullptr;
    deviceOpen.store(mixRing != nullptr, std::memory_order_release);
}

void SoundPlayer::prepareMixing() {
    mixRing = new (std::nothrow) std::int16_t[MIX_RING_SAMPLES]();
    std::memset(bufferA, 0, sizeof bufferA);
    std::memset(bufferB, 0, sizeof bufferB);
    writeCursor = 0;
    nextBufferIsA = true;
    deviceReadOffset = 0;
    lastMixMilliseconds.store(programMilliseconds(), std::memory_order_relaxed);
}

void SoundPlayer::close() { closeWith(platformCloseAudio); }

void SoundPlayer::closeForExit() { closeWith(platformAbandonAudio); }

void SoundPlayer::closeWith(void (*stopOutput)(PlatformAudio*)) {
    if (deviceOpen.load()) {
        // First, so that nothing is mixed or queued while the device stops.
        deviceOpen.store(false, std::memory_order_release);
        stopOutput(device);  // returns once no callback is running
        device = nullptr;
        delete[] mixRing;
        mixRing = nullptr;
    }
    freeSounds();
}

void SoundPlayer::freeSounds() {
    const int loaded = soundCount.load();
    for (int slot = 0; slot < loaded; ++slot) {
        Sound& sound = sounds[slot];
        sound.playing.store(false);
        delete[] sound.samples;
        sound.samples = nullptr;
        sound.sampleCount = 0;
    }
    // The slots are empty again, so nothing can play the freed samples.
    soundCount.store(0);
}

void SoundPlayer::deviceCallback(void* instance, std::uint8_t* stream, int byteCount) {
    SoundPlayer* player = static_cast<SoundPlayer*>(instance);
    if (!player->deviceOpen.load(std::memory_order_acquire)) {
        std::memset(stream, 0, static_cast<std::size_t>(byteCount));
        return;
    }
    // The output asks for each buffer just before it plays it, and holds the one
    // it plays meanwhile: that is the second of the two buffers. So a buffer is
    // mixed the moment the output starts to take it, and a sound played since the
    // last request is in it, not one buffer later.
    while (byteCount > 0) {
        if (player->deviceReadOffset == 0) {
            player->onBufferDone();
        }
        const std::uint8_t* takenBuffer =
            reinterpret_cast<const std::uint8_t*>(player->lastMixedBuffer());
        const std::uint32_t take =
            std::min(static_cast<std::uint32_t>(byteCount), MIX_BUFFER_BYTES - player->deviceReadOffset);
        std::memcpy(stream, takenBuffer + player->deviceReadOffset, take);
        stream += take;
        byteCount -= static_cast<int>(take);
        player->deviceReadOffset += take;
        if (player->deviceReadOffset == MIX_BUFFER_BYTES) {
            player->deviceReadOffset = 0;
        }
    }
}
