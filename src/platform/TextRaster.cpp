#include "platform/TextRaster.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

struct PlatformFont {
    TTF_Font* font = nullptr;
};

namespace {
const SDL_Color WHITE = {255, 255, 255, 255};
const SDL_Color BLACK = {0, 0, 0, 255};

// Copies one rendered line (8-bit paletted, top row first) into the bottom-up
// BGRA bitmap with its top-left corner at (left, top), every pixel opaque.
void blitLine(const SDL_Surface* line, int left, int top, std::uint8_t* pixels, int width,
              int height) {
    const SDL_Palette* palette = line->format->palette;
    if (palette == nullptr || line->format->BytesPerPixel != 1) {
        return;
    }
    for (int row = 0; row < line->h; ++row) {
        const int y = top + row;
        if (y < 0 || y >= height) {
            continue;
        }
        const Uint8* source = static_cast<const Uint8*>(line->pixels) + row * line->pitch;
        std::uint8_t* target = pixels + std::size_t(height - 1 - y) * width * 4;
        for (int column = 0; column < line->w; ++column) {
            const int x = left + column;
            if (x < 0 || x >= width) {
                continue;
            }
            const Uint8 index = source[column];
            const SDL_Color colour =
                index < palette->ncolors ? palette->colors[index] : SDL_Color{0, 0, 0, 255};
            std::uint8_t* pixel = target + std::size_t(x) * 4;
            pixel[0] = colour.b;
            pixel[1] = colour.g;
            pixel[2] = colour.r;
            pixel[3] = 255;
        }
    }
}
}  // namespace

PlatformFont* platformOpenFont(const char* fontFile, int pointSize) {
    if (fontFile == nullptr || fontFile[0] == '\0' || TTF_Init() != 0) {
        return nullptr;
    }
    TTF_Font* font = TTF_OpenFont(fontFile, pointSize);
    if (font == nullptr) {
        TTF_Quit();
        return nullptr;
    }
    PlatformFont* result = new PlatformFont;
    result->font = font;
    return result;
}

void platformCloseFont(PlatformFont* font) {
    if (font == nullptr) {
        return;
    }
    TTF_CloseFont(font->font);
    TTF_Quit();
    delete font;
}

bool platformMeasureTextLine(PlatformFont* font, const char* line, int& width, int& height) {
    width = 0;
    height = 0;
    if (font == nullptr || line == nullptr) {
        return false;
    }
    if (TTF_SizeText(font->font, line, &width, nullptr) != 0) {
        return false;
    }
    height = TTF_FontHeight(font->font);
    return true;
}

void platformDrawText(PlatformFont* font, const char* text, int left, int top, std::uint8_t* pixels,
                      int width, int height) {
    if (font == nullptr || text == nullptr || pixels == nullptr || width <= 0 || height <= 0) {
        return;
    }
    const int lineSkip = TTF_FontLineSkip(font->font);
    int lineTop = top;
    const char* lineStart = text;
    while (true) {
        const char* lineEnd = lineStart;
        while (*lineEnd != '\0' && *lineEnd != '\n') {
            ++lineEnd;
        }
        if (lineEnd != lineStart && lineTop < height) {
            const std::string line(lineStart, lineEnd);
            SDL_Surface* surface = TTF_RenderText_Shaded(font->font, line.c_str(), WHITE, BLACK);
            if (surface != nullptr) {
                blitLine(surface, left, lineTop, pixels, width, height);
                SDL_FreeSurface(surface);
            }
        }
        if (*lineEnd == '\0') {
            break;
        }
        lineStart = lineEnd + 1;
        lineTop += lineSkip;
    }
}
