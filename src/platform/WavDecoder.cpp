#include "platform/WavDecoder.h"

#include <SDL.h>

#include <cstring>
#include <new>

namespace {

// The pieces read as one stream, seeking and reading exactly as the library's
// own memory source does (a seek past either end stops there).
struct PieceStream {
    const WavPiece* pieces;
    int pieceCount;
    Sint64 size;
    Sint64 position;
};

PieceStream& streamOf(SDL_RWops* source) { return *static_cast<PieceStream*>(source->hidden.unknown.data1); }

Sint64 SDLCALL streamSize(SDL_RWops* source) { return streamOf(source).size; }

Sint64 SDLCALL streamSeek(SDL_RWops* source, Sint64 offset, int whence) {
    PieceStream& stream = streamOf(source);
    Sint64 base = 0;
    if (whence == RW_SEEK_CUR) {
        base = stream.position;
    } else if (whence == RW_SEEK_END) {
        base = stream.size;
    } else if (whence != RW_SEEK_SET) {
        return SDL_SetError("Unknown value for 'whence'");
    }
    stream.position = SDL_clamp(base + offset, Sint64(0), stream.size);
    return stream.position;
}

// Copies count bytes from the stream's position on, across piece boundaries.
void copyFrom(const PieceStream& stream, Sint64 position, std::uint8_t* target, std::size_t count) {
    for (int i = 0; i < stream.pieceCount && count > 0; ++i) {
        const WavPiece& piece = stream.pieces[i];
        if (position >= Sint64(piece.size)) {
            position -= Sint64(piece.size);
            continue;
        }
        const std::size_t taken = SDL_min(count, piece.size - std::size_t(position));
        std::memcpy(target, piece.bytes + position, taken);
        target += taken;
        count -= taken;
        position = 0;
    }
}

size_t SDLCALL streamRead(SDL_RWops* source, void* target, size_t objectSize, size_t objectCount) {
    PieceStream& stream = streamOf(source);
    if (objectSize == 0 || objectCount == 0 || objectCount * objectSize / objectCount != objectSize) {
        return 0;
    }
    const std::size_t count = SDL_min(objectCount * objectSize, std::size_t(stream.size - stream.position));
    copyFrom(stream, stream.position, static_cast<std::uint8_t*>(target), count);
    stream.position += Sint64(count);
    return count / objectSize;
}

size_t SDLCALL streamWrite(SDL_RWops*, const void*, size_t, size_t) {
    SDL_SetError("Can't write to read-only memory");
    return 0;
}

int SDLCALL streamClose(SDL_RWops* source) {
    SDL_FreeRW(source);
    return 0;
}

SDL_RWops* openPieceStream(PieceStream& stream) {
    SDL_RWops* source = SDL_AllocRW();
    if (source != nullptr) {
        source->size = streamSize;
        source->seek = streamSeek;
        source->read = streamRead;
        source->write = streamWrite;
        source->close = streamClose;
        source->type = SDL_RWOPS_UNKNOWN;
        source->hidden.unknown.data1 = &stream;
    }
    return source;
}

}  // namespace

bool platformDecodeWav(const WavPiece* pieces, int pieceCount, std::int16_t*& samples,
                       std::uint32_t& byteCount) {
    samples = nullptr;
    byteCount = 0;
    PieceStream stream = {pieces, pieces != nullptr ? pieceCount : 0, 0, 0};
    for (int i = 0; i < stream.pieceCount; ++i) {
        if (pieces[i].bytes == nullptr && pieces[i].size > 0) {
            return false;
        }
        stream.size += Sint64(pieces[i].size);
    }
    SDL_RWops* source = openPieceStream(stream);
    if (source == nullptr) {
        return false;
    }
    SDL_AudioSpec decodedFormat;
    Uint8* decoded = nullptr;
    Uint32 decodedSize = 0;
    // freesrc = 1: the reader closes the source in every case.
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
