#pragma once

#include <cstdint>
#include <string>

// The sound output: one endless 11025 Hz, signed 16-bit, stereo stream, pulled in
// 1024-frame buffers by a callback on the output's own thread.
struct PlatformAudio;

// Called on the audio thread whenever the output needs byteCount more bytes.
using PlatformAudioCallback = void (*)(void* instance, std::uint8_t* stream, int byteCount);

// Opens the output, paused. When no real device can be had (no sound card, or the
// sound server refuses), it falls back to a silent output that keeps real-time
// pace, so sounds still start and end on time, and puts the library's reason for
// the missing device into silentBecause when given. Null when even that fails.
PlatformAudio* platformOpenAudio(PlatformAudioCallback callback, void* instance,
                                 std::string* silentBecause = nullptr);
// Whether a real output can be opened now: the library's own choice of driver
// and device (SDL_AUDIODRIVER names one), opened paused and closed again at once,
// never the silent fallback. False with the library's reason in reason. For a
// word to the player before the game opens its sound; the output is not kept.
bool platformAudioOutputOpens(std::string& reason);
// Starts the callbacks.
void platformStartAudio(PlatformAudio* audio);
// Stops the output; returns only after a callback in progress has returned, and
// no callback runs afterwards.
void platformCloseAudio(PlatformAudio* audio);
// For the program's end: no callback runs after it returns either, but the output
// itself is left for the process's end to release. Closing it would first let it
// play out the buffer in progress and two more (up to 0.28 s), all of it after
// the player has asked the game to end.
void platformAbandonAudio(PlatformAudio* audio);
