#include "text/TextLabel.h"

#include "platform/OpenGl.h"

#include <cstring>
#include <new>

#include "platform/TextRaster.h"
#include "text/LabelFont.h"

bool TextLabel::create(const LabelRect& rect, int screenWidth, int screenHeight, bool blendOn) {
    destroy();
    blend = blendOn;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    if (screenWidth > 0 && screenHeight > 0) {
        rasterX = 2.0f * static_cast<float>(rect.left) / static_cast<float>(screenWidth) - 1.0f;
        rasterY = 1.0f - 2.0f * static_cast<float>(rect.bottom) / static_cast<float>(screenHeight);
    }
    if (width <= 0 || height <= 0) {
        width = 0;
        height = 0;
        return false;
    }
    pixelCount = static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(height);
    byteCount = pixelCount * 4;
    pixels = new (std::nothrow) std::uint8_t[byteCount]();
    blank = new (std::nothrow) std::uint8_t[byteCount];
    font = openLabelFont(width, height);
    // A fresh bitmap is all zero bytes (black, alpha 0): that is the blank.
    saveBackground();
    return pixels != nullptr;
}

void TextLabel::setText(const char* text, const LabelRect& rect, unsigned format) {
    // Left and top alignment is the only layout the labels use; text is never
    // clipped to rect, only to the bitmap itself.
    (void)format;
    platformDrawText(font, text, rect.left, rect.top, pixels, width, height);
}

void TextLabel::clear() {
    if (pixels != nullptr && blank != nullptr) {
        std::memcpy(pixels, blank, byteCount);
    }
}

void TextLabel::saveBackground() {
    if (pixels != nullptr && blank != nullptr) {
        std::memcpy(blank, pixels, byteCount);
    }
}

void TextLabel::draw() {
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    if (blend) {
        glEnable(GL_BLEND);
    } else {
        glDisable(GL_BLEND);
    }
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glRasterPos2f(rasterX, rasterY);
    if (pixels != nullptr) {
        glDrawPixels(width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void TextLabel::destroy() {
    platformCloseFont(font);
    font = nullptr;
    delete[] pixels;
    pixels = nullptr;
    delete[] blank;
    blank = nullptr;
    pixelCount = 0;
    byteCount = 0;
}
