#pragma once

#include <cstdint>
#include <string>

struct PlatformFont;

// A rectangle in pixels: origin top-left, y downward.
struct LabelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A rectangle of text laid over the finished frame. The text is rasterised into a
// 32-bit bottom-up bitmap only when it changes; each frame copies the bitmap to
// the frame buffer with one glDrawPixels.
class TextLabel {
public:
    float rasterX = 0.0f;
    float rasterY = 0.0f;
    std::uint8_t* pixels = nullptr;  // height rows of width pixels (B, G, R, A), bottom row first
    std::uint8_t* blank = nullptr;
    std::uint32_t pixelCount = 0;
    std::uint32_t byteCount = 0;
    bool blend = false;
    int width = 0;
    int height = 0;
    PlatformFont* font = nullptr;  // the largest size at which the game's texts fit the label

    TextLabel() = default;
    ~TextLabel() { destroy(); }
    TextLabel(const TextLabel&) = delete;
    TextLabel& operator=(const TextLabel&) = delete;

    // rect is in pixels of a virtual screenWidth x screenHeight screen.
    bool create(const LabelRect& rect, int screenWidth, int screenHeight, bool blend);
    // Draws text (white on the black box of each line) at rect's top-left corner of
    // the bitmap; lines break only at '\n'. format is accepted for the callers'
    // sake: 0 (left, top) is the only layout.
    void setText(const char* text, const LabelRect& rect, unsigned format);
    void clear();
    void saveBackground();
    void draw();
    void destroy();
};

// Makes labels use this font file instead of the installed bold sans found by
// name (empty restores the lookup), and lets the missing-font message show again.
void setLabelFontFileForTesting(const std::string& fontFile);
