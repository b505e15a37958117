#include "text/LabelFont.h"

#include <string>

#include "core/ErrorMessages.h"
#include "platform/FontLookup.h"
#include "platform/TextRaster.h"
#include "text/TextLabel.h"

namespace {
const char* const FONT_PATTERN = "DejaVu Sans:bold";
// The widest texts the game puts in its label.
const char* const SIZING_TEXTS[] = {"TOUCH DOWN!", "FIELD GOAL!", "GAME OVER", "4th Down",
                                    "SCORE: 9999", "PAUSED"};
constexpr int LARGEST_POINT_SIZE = 16;  // about the height of a system menu font
constexpr int SMALLEST_POINT_SIZE = 6;

std::string& fontFileOverride() {
    static std::string file;
    return file;
}

bool& missingFontReported() {
    static bool reported = false;
    return reported;
}

bool textsFit(PlatformFont* font, int labelWidth, int labelHeight) {
    for (const char* text : SIZING_TEXTS) {
        int textWidth = 0;
        int textHeight = 0;
        if (!platformMeasureTextLine(font, text, textWidth, textHeight) ||
            textWidth > labelWidth || textHeight > labelHeight) {
            return false;
        }
    }
    return true;
}

void reportMissingFont(const std::string& fontFile) {
    if (missingFontReported()) {
        return;
    }
    missingFontReported() = true;
    const std::string detail = fontFile.empty() ? std::string(FONT_PATTERN) : fontFile;
    showError("Could not load a font for the score text:", detail.c_str(), SEVERITY_ERROR);
}
}  // namespace

PlatformFont* openLabelFont(int labelWidth, int labelHeight) {
    const std::string fontFile =
        fontFileOverride().empty() ? platformFindFontFile(FONT_PATTERN) : fontFileOverride();
    PlatformFont* font = nullptr;
    for (int size = LARGEST_POINT_SIZE; size >= SMALLEST_POINT_SIZE; --size) {
        font = platformOpenFont(fontFile.c_str(), size);
        if (font == nullptr) {
            reportMissingFont(fontFile);
            return nullptr;
        }
        if (size == SMALLEST_POINT_SIZE || textsFit(font, labelWidth, labelHeight)) {
            break;
        }
        platformCloseFont(font);
        font = nullptr;
    }
    return font;
}

void setLabelFontFileForTesting(const std::string& fontFile) {
    fontFileOverride() = fontFile;
    missingFontReported() = false;
}
