#include "platform/AudioDevice.h"

#include <SDL.h>

struct PlatformAudio {
    SDL_AudioDeviceID device = 0;
};

namespace {
constexpr int OUTPUT_RATE = 11025;
constexpr int OUTPUT_CHANNELS = 2;
constexpr int OUTPUT_FRAMES_PER_BUFFER = 1024;

// What SDL said about the last failure, or a stand-in when it said nothing.
std::string libraryReason() {
    const char* reason = SDL_GetError();
    return reason[0] != '\0' ? reason : "the sound library gave no reason";
}

// The probe's device stays paused and never asks; were it to, it would get silence.
void silence(void*, Uint8* stream, int byteCount) { SDL_memset(stream, 0, static_cast<size_t>(byteCount)); }

SDL_AudioDeviceID openDevice(PlatformAudioCallback callback, void* instance) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return 0;
    }
    SDL_AudioSpec wanted;
    SDL_zero(wanted);
    wanted.freq = OUTPUT_RATE;
    wanted.format = AUDIO_S16LSB;
    wanted.channels = OUTPUT_CHANNELS;
    wanted.samples = OUTPUT_FRAMES_PER_BUFFER;
    wanted.callback = callback;
    wanted.userdata = instance;
    SDL_AudioSpec obtained;
    // No changes allowed: SDL converts to whatever the hardware takes, so the
    // callback always sees the stream in exactly this format.
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return device;
}
}  // namespace

PlatformAudio* platformOpenAudio(PlatformAudioCallback callback, void* instance,
                                 std::string* silentBecause) {
    SDL_AudioDeviceID device = openDevice(callback, instance);
    if (device == 0) {
        if (silentBecause != nullptr) {
            *silentBecause = libraryReason();
        }
        // No usable device: the silent driver keeps the game's pacing (the pause
        // after a score lasts as long as the music would). The hint overrides an
        // environment setting that named a driver which just failed.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        device = openDevice(callback, instance);
        // The next open tries the real device again.
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
    if (device == 0) {
        return nullptr;
    }
    PlatformAudio* audio = new PlatformAudio;
    audio->device = device;
    return audio;
}

bool platformAudioOutputOpens(std::string& reason) {
    const SDL_AudioDeviceID device = openDevice(silence, nullptr);
    if (device == 0) {
        reason = libraryReason();
        return false;
    }
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    reason.clear();
    return true;
}

void platformStartAudio(PlatformAudio* audio) {
    if (audio != nullptr) {
        SDL_PauseAudioDevice(audio->device, 0);
    }
}

void platformCloseAudio(PlatformAudio* audio) {
    if (audio == nullptr) {
        return;
    }
    SDL_CloseAudioDevice(audio->device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    delete audio;
}

void platformAbandonAudio(PlatformAudio* audio) {
    if (audio == nullptr) {
        return;
    }
    // Pausing takes the device's lock, which a running callback holds, and a
    // paused device calls back no more.
    SDL_PauseAudioDevice(audio->device, 1);
    delete audio;
}
