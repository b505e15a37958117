#pragma once

#include <cstdint>

// The sound output: one endless 11025 Hz, signed 16-bit, stereo stream, pulled in
// 1024-frame buffers by a callback on the output's own thread.
struct PlatformAudio;

// Called on the audio thread whenever the output needs byteCount more bytes.
using PlatformAudioCallback = void (*)(void* instance, std::uint8_t* stream, int byteCount);

// Opens the output, paused. When no real device can be had (no sound card, or the
// sound server refuses), it falls back to a silent output that keeps real-time
// pace, so sounds still start and end on time. Null when even that fails.
PlatformAudio* platformOpenAudio(PlatformAudioCallback callback, void* instance);
// Starts the callbacks.
void platformStartAudio(PlatformAudio* audio);
// Stops the output; returns only after a callback in progress has returned, and
// no callback runs afterwards.
void platformCloseAudio(PlatformAudio* audio);
