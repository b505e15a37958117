#include "platform/BmpDecoder.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace {
// BGR24 is the byte order blue, green, red in memory, whatever the file held.
SDL_Surface* loadAsBgr24(const char* path) {
    SDL_Surface* loaded = SDL_LoadBMP(path);
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

std::uint8_t* platformDecodeBmp(const char* path, int& width, int& height) {
    SDL_Surface* surface = loadAsBgr24(path);
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
