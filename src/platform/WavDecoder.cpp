#include "platform/WavDecoder.h"

#include <SDL.h>

#include <climits>
#include <cstring>
#include <new>
#include <vector>

namespace {
constexpr std::uint16_t FORMAT_MS_ADPCM = 2;

void putTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// A minimal RIFF image holding just the format and the data, so the library's
// WAV reader can decode what the game's own reader has already checked. It has
// no "fact" chunk, so the decoder yields every block whole.
bool buildRiffImage(const std::uint8_t* format, std::uint32_t formatSize, const std::uint8_t* data,
                    std::uint32_t dataSize, std::vector<std::uint8_t>& image) {
    const std::uint64_t formatPadded = formatSize + (formatSize & 1u);
    const std::uint64_t riffSize = 4 + 8 + formatPadded + 8 + std::uint64_t(dataSize);
    if (riffSize + 8 > std::uint64_t(INT_MAX)) {  // the memory reader takes an int size
        return false;
    }
    image.reserve(static_cast<std::size_t>(riffSize + 8));
    putTag(image, "RIFF");
    putU32(image, static_cast<std::uint32_t>(riffSize));
    putTag(image, "WAVE");
    putTag(image, "fmt ");
    putU32(image, formatSize);
    image.insert(image.end(), format, format + formatSize);
    if ((formatSize & 1u) != 0) {
        image.push_back(0);
    }
    putTag(image, "data");
    putU32(image, dataSize);
    image.insert(image.end(), data, data + dataSize);
    return true;
}
}  // namespace

bool platformDecodeMsAdpcm(const std::uint8_t* format, std::uint32_t formatSize,
                           const std::uint8_t* data, std::uint32_t dataSize,
                           std::int16_t*& samples, std::uint32_t& byteCount) {
    samples = nullptr;
    byteCount = 0;
    if (format == nullptr || data == nullptr || formatSize < 2 ||
        (format[0] | (format[1] << 8)) != FORMAT_MS_ADPCM) {
        return false;
    }
    std::vector<std::uint8_t> image;
    if (!buildRiffImage(format, formatSize, data, dataSize, image)) {
        return false;
    }
    SDL_RWops* source = SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
    if (source == nullptr) {
        return false;
    }
    SDL_AudioSpec decodedFormat;
    Uint8* decoded = nullptr;
    Uint32 decodedSize = 0;
    // freesrc = 1: the reader closes the memory source in every case.
    if (SDL_LoadWAV_RW(source, 1, &decodedFormat, &decoded, &decodedSize) == nullptr) {
        return false;
    }
    bool ok = decodedFormat.format == AUDIO_S16LSB;
    // Empty data (or less than a block) decodes to an empty sound, for which the
    // library hands back no buffer at all: there is nothing to copy then.
    const std::uint32_t count = decoded != nullptr ? decodedSize / 2 : 0;
    if (ok) {
        samples = new (std::nothrow) std::int16_t[count == 0 ? 1 : count];
        ok = samples != nullptr;
    }
    if (ok && count > 0) {
        std::memcpy(samples, decoded, std::size_t(count) * 2);
        byteCount = count * 2;
    }
    SDL_FreeWAV(decoded);
    return ok;
}
