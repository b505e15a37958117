#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sound/SoundPlayer.h"

// Puts samples into the player's next free slot as a loaded sound would be, and
// returns the slot.
inline int addTestSound(SoundPlayer& player, const std::vector<std::int16_t>& samples) {
    const int slot = player.soundCount.load();
    Sound& sound = player.sounds[slot];
    sound.samples = new std::int16_t[samples.empty() ? 1 : samples.size()];
    for (std::size_t i = 0; i < samples.size(); ++i) {
        sound.samples[i] = samples[i];
    }
    sound.sampleCount = static_cast<std::uint32_t>(samples.size());
    player.soundCount.store(slot + 1);
    return slot;
}

inline std::string le16(std::uint32_t value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

inline std::string le32(std::uint32_t value) { return le16(value & 0xFFFF) + le16(value >> 16); }

// A chunk: tag, size, body and the pad byte of an odd size.
inline std::string riffChunk(const std::string& tag, const std::string& body) {
    std::string chunk = tag + le32(static_cast<std::uint32_t>(body.size())) + body;
    if (body.size() % 2 != 0) {
        chunk += '\0';
    }
    return chunk;
}

// The 16-byte format block of PCM at 11025 Hz.
inline std::string pcmFormat(int channels, int bits) {
    const int align = channels * bits / 8;
    return le16(1) + le16(channels) + le32(11025) + le32(11025 * align) + le16(align) + le16(bits);
}

struct WavParts {
    std::string riffTag = "RIFF";
    std::string waveTag = "WAVE";
    std::string fmtTag = "fmt ";
    std::string format = pcmFormat(1, 16);
    std::string between;  // whole chunks between the format and the data
    std::string data;
};

inline std::string wavFile(const WavParts& parts) {
    const std::string body = parts.waveTag + parts.fmtTag +
                             le32(static_cast<std::uint32_t>(parts.format.size())) + parts.format +
                             parts.between + riffChunk("data", parts.data);
    return parts.riffTag + le32(static_cast<std::uint32_t>(body.size())) + body;
}

// count 16-bit samples counting up from first, as little-endian bytes.
inline std::string rampBytes(int count, int first = 0) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        bytes += le16(static_cast<std::uint16_t>(first + i));
    }
    return bytes;
}
