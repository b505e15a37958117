#pragma once

#include <string>

#include "Canvas.h"

// A 5 x 7 block font drawn cell by cell, so that every letter on the field, the
// boards and the splash is made here and scales to any size.
constexpr int GLYPH_COLUMNS = 5;
constexpr int GLYPH_ROWS = 7;

// True when the glyph of ch has its cell (column, row) set; row 0 is the top.
bool glyphCell(char ch, int column, int row);

// Width in pixels of text at the given cell width (one empty column between letters).
float blockTextWidth(const std::string& text, float cellWidth);

// Draws text with its top-left corner at (x, y); cells are cellWidth x cellHeight,
// each filled to fill (0..1] of its size so letters keep small gaps.
void drawBlockText(Canvas& canvas, const std::string& text, float x, float y, float cellWidth,
                   float cellHeight, Rgb colour, float fill = 1.0f);
