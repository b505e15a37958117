#include "platform/BmpDecoder.h"

#include <SDL.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
// BGR24 is the byte order blue, green, red in memory, whatever the file held.
SDL_Surface* loadAsBgr24(const std::uint8_t* bytes, std::size_t size) {
    if (bytes == nullptr || size == 0 || size > std::size_t(INT_MAX)) {
        return nullptr;
    }
    // freesrc = 1: the reader closes the memory source in every case.
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes, static_cast<int>(size)), 1);
    if (loaded == nullptr) {
        return nullptr;
    }
    if (loaded->format->format == SDL_PIXELFORMAT_BGR24) {
        return loaded;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_BGR24, 0);
    SDL_FreeSurface(loaded);
    return converted;
}
}  // namespace

std::uint8_t* platformDecodeBmp(const std::uint8_t* bytes, std::size_t size, int& width,
                                int& height) {
    SDL_Surface* surface = loadAsBgr24(bytes, size);
    if (surface == nullptr) {
        return nullptr;
    }
    std::uint8_t* image = nullptr;
    if (surface->w > 0 && surface->h > 0 && SDL_LockSurface(surface) == 0) {
        const std::size_t rowBytes = std::size_t(surface->w) * 3;
        const std::size_t pixelCount = std::size_t(surface->w) * std::size_t(surface->h);
        image = static_cast<std::uint8_t*>(std::malloc(pixelCount * 4));
        if (image != nullptr) {
            // The surface pads its rows; the buffer keeps them packed.
            const std::uint8_t* source = static_cast<const std::uint8_t*>(surface->pixels);
            for (int y = 0; y < surface->h; ++y) {
                std::memcpy(image + rowBytes * y, source + std::size_t(surface->pitch) * y,
                            rowBytes);
            }
            width = surface->w;
            height = surface->h;
        }
        SDL_UnlockSurface(surface);
    }
    SDL_FreeSurface(surface);
    return image;
}
