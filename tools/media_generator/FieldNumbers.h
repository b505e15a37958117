#pragma once

#include <string>

#include "Canvas.h"

// Bold digits for the yard numbers. The camera sees them low and slanting, so
// they are solid strokes with no gaps (gaps alias into broken shapes without
// mipmaps), and the bars across the field are as deep as the gaps between them,
// which stay open longest when the view squashes the digits along the field.
struct FieldNumberStyle {
    float digitWidth;  // pixels across one digit
    float height;      // pixels from the top bar to the bottom bar
    float strokeX;     // width of the strokes that run along the field
    float gap;         // pixels between two digits
};

// Width in pixels of the digits drawn in this style.
float fieldNumberWidth(const std::string& digits, const FieldNumberStyle& style);

// Draws the digits centred on (cx, cy); characters other than 0-9 are skipped.
void drawFieldNumber(Canvas& canvas, const std::string& digits, float cx, float cy,
                     const FieldNumberStyle& style, Rgb colour);
