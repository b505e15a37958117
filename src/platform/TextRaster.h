#pragma once

#include <cstdint>

// Text rasterised with a TrueType font into the game's 32-bit label bitmaps.
struct PlatformFont;

// Null when the file cannot be read as a font.
PlatformFont* platformOpenFont(const char* fontFile, int pointSize);
void platformCloseFont(PlatformFont* font);

// Size in pixels of one line of single-byte (Latin-1) text: its advance width and
// the height of the box drawn behind it. False when the font cannot lay it out.
bool platformMeasureTextLine(PlatformFont* font, const char* line, int& width, int& height);

// Draws text, single-byte (Latin-1), starting at (left, top) of a bitmap of
// width x height pixels whose rows run bottom row first, each pixel the bytes
// blue, green, red, alpha. Lines break only at '\n' and are never wrapped. Each
// line is white on an opaque black box (alpha 255) as wide as the line and as high
// as the font; the rest of the bitmap is left as it was. Whatever falls outside
// the bitmap is cut off.
void platformDrawText(PlatformFont* font, const char* text, int left, int top, std::uint8_t* pixels,
                      int width, int height);
