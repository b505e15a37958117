#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ErrorMessages.h"
#include "support/TestSeams.h"
#include "text/TextLabel.h"

namespace {
const LabelRect GAME_LABEL = {0, 456, 120, 480};  // on a 640 x 480 virtual screen
const LabelRect WHOLE_BITMAP = {0, 0, 120, 24};

// One pixel of the bottom-up bitmap, x from the left and y from the top.
const std::uint8_t* pixelAt(const TextLabel& label, int x, int yFromTop) {
    return label.pixels + (std::size_t(label.height - 1 - yFromTop) * label.width + x) * 4;
}

bool opaque(const TextLabel& label, int x, int y) { return pixelAt(label, x, y)[3] == 255; }
bool inked(const TextLabel& label, int x, int y) { return pixelAt(label, x, y)[2] > 128; }

// The extent of the opaque line boxes: right-most column and lowest row.
void boxExtent(const TextLabel& label, int& right, int& bottom) {
    right = -1;
    bottom = -1;
    for (int y = 0; y < label.height; ++y) {
        for (int x = 0; x < label.width; ++x) {
            if (opaque(label, x, y)) {
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
}

int inkCount(const TextLabel& label, int fromX, int toX) {
    int count = 0;
    for (int y = 0; y < label.height; ++y) {
        for (int x = fromX; x < toX; ++x) {
            count += inked(label, x, y) ? 1 : 0;
        }
    }
    return count;
}

bool allZero(const std::uint8_t* bytes, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

TEST(TextLabel, GameLabelSitsAtTheBottomLeftCorner) {
    TextLabel label;
    ASSERT_TRUE(label.create(GAME_LABEL, 640, 480, false));
    EXPECT_EQ(label.width, 120);
    EXPECT_EQ(label.height, 24);
    EXPECT_FLOAT_EQ(label.rasterX, -1.0f);
    EXPECT_FLOAT_EQ(label.rasterY, -1.0f);
    EXPECT_EQ(label.byteCount, 120u * 24u * 4u);
    EXPECT_TRUE(allZero(label.pixels, label.byteCount));
    EXPECT_TRUE(allZero(label.blank, label.byteCount));

    TextLabel centred;
    ASSERT_TRUE(centred.create({320, 0, 400, 40}, 640, 480, true));
    EXPECT_FLOAT_EQ(centred.rasterX, 0.0f);
    EXPECT_FLOAT_EQ(centred.rasterY, 1.0f - 80.0f / 480.0f);
}

TEST(TextLabel, EveryGameTextFitsWholeAndReadable) {
    TextLabel label;
    ASSERT_TRUE(label.create(GAME_LABEL, 640, 480, false));
    for (const char* text : {"TOUCH DOWN!", "FIELD GOAL!", "GAME OVER", "4th Down", "SCORE: 9999", "PAUSED"}) {
        label.clear();
        label.setText(text, WHOLE_BITMAP, 0);
        int right = 0;
        int bottom = 0;
        boxExtent(label, right, bottom);
        EXPECT_TRUE(opaque(label, 0, 0)) << text;  // starts at the top-left corner
        EXPECT_LT(right, 119) << text;             // not cut at the right edge
        EXPECT_LT(bottom, 23) << text;
        EXPECT_GE(bottom + 1, 14) << text;  // not shrunk past easy reading
        EXPECT_GT(inkCount(label, 0, 120), 50) << text;
    }
}

TEST(TextLabel, TextDrawsOverWhatIsThereUntilCleared) {
    TextLabel label;
    ASSERT_TRUE(label.create(GAME_LABEL, 640, 480, false));
    label.setText("SCORE: 0", WHOLE_BITMAP, 0);
    const int scoreInk = inkCount(label, 0, 60);
    ASSERT_GT(scoreInk, 0);
    label.setText("7", {100, 0, 120, 24}, 0);
    EXPECT_EQ(inkCount(label, 0, 60), scoreInk);  // the first text is still there
    EXPECT_GT(inkCount(label, 100, 120), 0);
    label.clear();
    EXPECT_TRUE(allZero(label.pixels, label.byteCount));
}

TEST(TextLabel, LinesBreakOnlyAtNewline) {
    TextLabel label;
    ASSERT_TRUE(label.create({0, 0, 120, 60}, 640, 480, false));
    label.setText("I\nWWWW", {0, 0, 120, 60}, 0);
    int firstRight = -1;
    int secondRight = -1;
    for (int x = 0; x < label.width; ++x) {
        if (opaque(label, x, 2)) {
            firstRight = x;
        }
        if (opaque(label, x, 27)) {
            secondRight = x;
        }
    }
    EXPECT_GE(firstRight, 0);
    EXPECT_GT(secondRight, firstRight * 2);  // "WWWW" on its own, wider line below

    TextLabel oneLine;
    ASSERT_TRUE(oneLine.create({0, 0, 120, 60}, 640, 480, false));
    oneLine.setText("WWWW WWWW WWWW WWWW", {0, 0, 120, 60}, 0);
    EXPECT_TRUE(opaque(oneLine, 119, 2));     // runs off the right edge, never wrapped
    EXPECT_FALSE(opaque(oneLine, 0, 27));
}

TEST(TextLabel, TextOutsideTheBitmapIsCutOff) {
    TextLabel label;
    ASSERT_TRUE(label.create(GAME_LABEL, 640, 480, false));
    label.setText("SCORE: 9999", {-30, -10, 90, 14}, 0);
    label.setText("SCORE: 9999", {100, 20, 220, 44}, 0);
    EXPECT_GT(inkCount(label, 0, 120), 0);
}

TEST(TextLabel, MissingFontIsReportedOnceAndLeavesTheLabelBlank) {
    std::vector<std::string> boxes;
    {
        ErrorBoxOverride errorBoxes([&boxes](ErrorSeverity, const std::string& caption, const std::string& text) {
            boxes.push_back(caption + "|" + text);
            return true;
        });
        LabelFontFileOverride missingFont("/nonexistent/font.ttf");
        TextLabel first;
        TextLabel second;
        EXPECT_TRUE(first.create(GAME_LABEL, 640, 480, false));
        EXPECT_TRUE(second.create(GAME_LABEL, 640, 480, false));
        first.setText("SCORE: 0", WHOLE_BITMAP, 0);
        EXPECT_TRUE(allZero(first.pixels, first.byteCount));
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("ERROR|"), std::string::npos);
    EXPECT_NE(boxes[0].find("/nonexistent/font.ttf"), std::string::npos);
}

TEST(TextLabel, EmptyRectangleMakesNoBitmap) {
    TextLabel label;
    EXPECT_FALSE(label.create({10, 10, 10, 30}, 640, 480, false));
    EXPECT_EQ(label.pixels, nullptr);
    label.setText("SCORE: 0", WHOLE_BITMAP, 0);
    label.clear();
    label.saveBackground();
}
}  // namespace
