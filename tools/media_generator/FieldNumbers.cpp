#include "FieldNumbers.h"

namespace {

// Each digit is a 3 x 5 grid: narrow outer columns (the strokes along the field)
// round a wide middle one, and rows that alternate bar, gap, bar, gap, bar.
const char* const DIGIT_ROWS[10][5] = {
    {"###", "#.#", "#.#", "#.#", "###"}, {"##.", ".#.", ".#.", ".#.", "###"},
    {"###", "..#", "###", "#..", "###"}, {"###", "..#", ".##", "..#", "###"},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"},
    {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "###"},
};

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// A one is narrower: its stem is only a stroke wide, with a flag and a foot.
float digitWidth(char ch, const FieldNumberStyle& style) {
    return ch == '1' ? style.strokeX * 2.6f : style.digitWidth;
}

void drawDigit(Canvas& canvas, char ch, float left, float top, const FieldNumberStyle& style, Rgb colour) {
    float width = digitWidth(ch, style);
    float side = ch == '1' ? (width - style.strokeX) / 2 : style.strokeX;
    float columns[4] = {left, left + side, left + width - side, left + width};
    float bar = style.height / 5;
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column) {
            if (DIGIT_ROWS[ch - '0'][row][column] != '#') continue;
            float x0 = columns[column], x1 = columns[column + 1];
            float y0 = top + row * bar, y1 = y0 + bar;
            // Cells overlap by a hair so neighbouring cells never leave a seam.
            canvas.fillPolygon({x0 - 0.25f, y0 - 0.25f, x1 + 0.25f, y0 - 0.25f, x1 + 0.25f, y1 + 0.25f,
                                x0 - 0.25f, y1 + 0.25f},
                               colour);
        }
}

}  // namespace

float fieldNumberWidth(const std::string& digits, const FieldNumberStyle& style) {
    float width = 0.0f;
    int count = 0;
    for (char ch : digits) {
        if (!isDigit(ch)) continue;
        width += digitWidth(ch, style);
        ++count;
    }
    return count > 1 ? width + (count - 1) * style.gap : width;
}

void drawFieldNumber(Canvas& canvas, const std::string& digits, float cx, float cy,
                     const FieldNumberStyle& style, Rgb colour) {
    float left = cx - fieldNumberWidth(digits, style) / 2, top = cy - style.height / 2;
    for (char ch : digits) {
        if (!isDigit(ch)) continue;
        drawDigit(canvas, ch, left, top, style, colour);
        left += digitWidth(ch, style) + style.gap;
    }
}
