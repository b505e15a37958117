// Writes the picture the game's score label shows for a text, made by the game's
// own label code, as a binary PPM (top row first). The whole-program tests match
// a screenshot's label corner against it to read what the label says.
// Usage: label_picture TEXT OUTPUT.ppm [FONT-FILE]
// FONT-FILE, when given, takes the place of the font the game would find (the
// browser build's helper runs outside the page, whose packed font it cannot see).
#include <cstdio>

#include "text/TextLabel.h"

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s TEXT OUTPUT.ppm [FONT-FILE]\n", argv[0]);
        return 2;
    }
    if (argc == 4) {
        setLabelFontFileForTesting(argv[3]);
    }
    // The game's own label: 120 x 24 pixels, text from its top-left corner.
    TextLabel label;
    if (!label.create(LabelRect{0, 456, 120, 480}, 640, 480, false) || label.font == nullptr) {
        std::fprintf(stderr, "label_picture: no label or no font\n");
        return 1;
    }
    label.setText(argv[1], LabelRect{0, 0, 120, 24}, 0);
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "label_picture: cannot write %s\n", argv[2]);
        return 1;
    }
    std::fprintf(out, "P6\n%d %d\n255\n", label.width, label.height);
    // The bitmap runs bottom row first, blue-green-red-alpha.
    for (int row = label.height - 1; row >= 0; --row) {
        for (int x = 0; x < label.width; ++x) {
            const unsigned char* bgra = label.pixels + (static_cast<long>(row) * label.width + x) * 4;
            const unsigned char rgb[3] = {bgra[2], bgra[1], bgra[0]};
            std::fwrite(rgb, 1, 3, out);
        }
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
