#include <algorithm>
#include <cmath>
#include <string>

#include "BlockFont.h"
#include "FieldNumbers.h"
#include "Models.h"

namespace {

const Rgb LINE_WHITE{242, 242, 236};
// Red and green equal, so that the game's 3-3-2 textures step the gradient below
// it through purples only, never through a band of green-blue.
const Rgb SKY_TOP_BLUE{14, 14, 60};
const float PIXELS_PER_X = 508.0f / (2 * GRASS_HALF_X);
const float PIXELS_PER_Z = 1020.0f / (2 * GRASS_HALF_Z);
// Yard numbers: centred at x = +-14, in from the sidelines so that the camera
// behind the dog sees the near ones whole, and nearly as deep along z as the ten yards
// between their lines, so that they survive the camera's low, slanting view.
const float NUMBER_X = 14.0f;
const FieldNumberStyle NUMBER_STYLE{3.2f * PIXELS_PER_X, 6.8f * PIXELS_PER_Z, 0.95f * PIXELS_PER_X,
                                    0.8f * PIXELS_PER_X};
const float NUMBER_ARROW_X = 4.9f;
const float NUMBER_GAP_INNER = 9.6f;
const float NUMBER_GAP_OUTER = 18.4f;

void fillZoneRect(Canvas& c, float xA, float xB, float zA, float zB, Rgb colour) {
    // World rectangle -> atlas pixels; screen right is world -x, image top is far +z.
    float x0 = std::min(fieldAtlasX(xA), fieldAtlasX(xB)), x1 = std::max(fieldAtlasX(xA), fieldAtlasX(xB));
    float y0 = std::min(fieldAtlasY(zA), fieldAtlasY(zB)), y1 = std::max(fieldAtlasY(zA), fieldAtlasY(zB));
    c.fillPolygon({x0, y0, x1, y0, x1, y1, x0, y1}, colour);
}

// Text lying on the field, readable from behind the dog: centred on world (x, z),
// letters heightZ deep along z, their cells touching so the strokes stay whole
// when the low view squashes them.
void fieldText(Canvas& c, const std::string& text, float x, float z, float heightZ, float cellX, Rgb colour) {
    float cellW = cellX * PIXELS_PER_X, cellH = heightZ / GLYPH_ROWS * PIXELS_PER_Z;
    float width = blockTextWidth(text, cellW);
    drawBlockText(c, text, fieldAtlasX(x) - width / 2, fieldAtlasY(z) - GLYPH_ROWS * cellH / 2, cellW, cellH,
                  colour);
}

void paintGrass(Canvas& c) {
    // Shades that sit on levels of the game's default 3-3-2 texture format, with
    // little noise, so the mown stripes stay clean instead of speckling.
    // Stripes 4 deep from the near end line on, out to the grass's edges.
    const Rgb light{40, 146, 24}, dark{36, 109, 20};
    for (int band = -1; band <= 25; ++band) {
        float z0 = -FIELD_HALF_LENGTH + band * 4.0f;
        fillZoneRect(c, -GRASS_HALF_X, GRASS_HALF_X, std::max(z0, -GRASS_HALF_Z), std::min(z0 + 4, GRASS_HALF_Z),
                     (band + 2) % 2 ? light : dark);
    }
    c.addNoise(0, 0, 512, 1024, 3, 11);
}

void paintEndZones(Canvas& c) {
    const float w = FIELD_HALF_WIDTH, end = FIELD_HALF_LENGTH, front = TOUCHDOWN_Z;
    fillZoneRect(c, -w, w, -end, -front, Rgb{32, 64, 160});
    fillZoneRect(c, -w, w, front, end, Rgb{168, 36, 32});
    c.addNoise(0, 0, 512, static_cast<int>(fieldAtlasY(front)), 5, 12);
    c.addNoise(0, static_cast<int>(fieldAtlasY(-front)), 512, 1024, 5, 13);
    const float middle = (front + end) / 2;
    fieldText(c, "ZQ", 0, -middle, 7.0f, 1.2f, LINE_WHITE);
    fieldText(c, "ZORBAK", 0, middle, 7.0f, 1.1f, LINE_WHITE);
}

void paintLines(Canvas& c) {
    // Sidelines and end lines lie just outside the area of play, their inner
    // edges on its limits, as on a real field where the line itself is out.
    const float outerX = FIELD_HALF_WIDTH + BOUNDARY_LINE_WIDTH, outerZ = FIELD_HALF_LENGTH + BOUNDARY_LINE_WIDTH;
    fillZoneRect(c, -outerX, -FIELD_HALF_WIDTH, -outerZ, outerZ, LINE_WHITE);  // sidelines
    fillZoneRect(c, FIELD_HALF_WIDTH, outerX, -outerZ, outerZ, LINE_WHITE);
    fillZoneRect(c, -outerX, outerX, -outerZ, -FIELD_HALF_LENGTH, LINE_WHITE);  // end lines
    fillZoneRect(c, -outerX, outerX, FIELD_HALF_LENGTH, outerZ, LINE_WHITE);
    // The lines a touchdown crosses, centred on it.
    const float half = 0.25f;
    fillZoneRect(c, -FIELD_HALF_WIDTH, FIELD_HALF_WIDTH, -TOUCHDOWN_Z - half, -TOUCHDOWN_Z + half, LINE_WHITE);
    fillZoneRect(c, -FIELD_HALF_WIDTH, FIELD_HALF_WIDTH, TOUCHDOWN_Z - half, TOUCHDOWN_Z + half, LINE_WHITE);
    for (int line = -36; line <= 36; line += 4) {  // every 5 yards (0.8 units a yard)
        if (line % 8 == 0) {
            fillZoneRect(c, -FIELD_HALF_WIDTH, FIELD_HALF_WIDTH, line - 0.17f, line + 0.17f, LINE_WHITE);
            continue;
        }
        // The lines between the tens give way to the numbers.
        fillZoneRect(c, -FIELD_HALF_WIDTH, -NUMBER_GAP_OUTER, line - 0.17f, line + 0.17f, LINE_WHITE);
        fillZoneRect(c, -NUMBER_GAP_INNER, NUMBER_GAP_INNER, line - 0.17f, line + 0.17f, LINE_WHITE);
        fillZoneRect(c, NUMBER_GAP_OUTER, FIELD_HALF_WIDTH, line - 0.17f, line + 0.17f, LINE_WHITE);
    }
    for (int yard = -49; yard <= 49; ++yard) {  // one mark a yard, at the sides and the hashes
        float z = yard * 0.8f;
        if (yard % 5 == 0 || std::fabs(z) > 39.5f) continue;
        for (float x : {-23.6f, 23.6f, -5.0f, 5.0f})
            fillZoneRect(c, x - 0.5f, x + 0.5f, z - 0.1f, z + 0.1f, LINE_WHITE);
    }
}

void paintNumbers(Canvas& c) {
    for (int k = 1; k <= 9; ++k) {
        float z = -TOUCHDOWN_Z + 8.0f * k;
        int yards = k <= 5 ? 10 * k : 10 * (10 - k);
        std::string label = std::to_string(yards);
        for (float x : {-NUMBER_X, NUMBER_X}) {
            // Just short of its line as the dog comes up the field.
            drawFieldNumber(c, label, fieldAtlasX(x), fieldAtlasY(z - 4.0f), NUMBER_STYLE, LINE_WHITE);
            if (yards == 50) continue;
            // A small arrow beside the number points to the nearer goal line.
            float ax = fieldAtlasX(x + (x < 0 ? NUMBER_ARROW_X : -NUMBER_ARROW_X)), ay = fieldAtlasY(z - 4.0f);
            float tip = (z < 0 ? 1.0f : -1.0f) * 0.9f * PIXELS_PER_Z;
            float half = 0.6f * PIXELS_PER_X;
            c.fillPolygon({ax - half, ay - tip * 0.5f, ax + half, ay - tip * 0.5f, ax, ay + tip}, LINE_WHITE);
        }
    }
}

void paintSky(Canvas& c) {
    const AtlasBox& b = ATLAS_SKY;
    int horizon = b.y0 + 200;
    // The top of the panels has the dome's own blue, so the two meet without an edge.
    c.fillRect(b.x0, b.y0, b.x1, b.y0 + 40, SKY_TOP_BLUE);
    c.verticalGradient(b.x0, b.y0 + 40, b.x1, b.y0 + 120, SKY_TOP_BLUE, Rgb{60, 50, 130});
    c.verticalGradient(b.x0, b.y0 + 120, b.x1, horizon, Rgb{60, 50, 130}, Rgb{238, 130, 70});
    c.fillRect(b.x0, horizon, b.x1, b.y1, Rgb{238, 130, 70});
    NoiseSource noise(21);
    for (int i = 0; i < 60; ++i)
        c.fillCircle(b.x0 + 4 + noise.unit() * 504, b.y0 + 4 + noise.unit() * 90, 0.6f + noise.unit(),
                     Rgb{230, 230, 250});
    // A city skyline along the bottom, with lit windows.
    int x = b.x0 + 2;
    while (x < b.x1 - 2) {
        int w = 18 + static_cast<int>(noise.unit() * 34);
        int top = horizon - 20 - static_cast<int>(noise.unit() * 80);
        int right = std::min(b.x1 - 2, x + w);
        c.fillRect(x, top, right, b.y1 - 2, Rgb{26, 24, 46});
        for (int wy = top + 5; wy < b.y1 - 6; wy += 8)
            for (int wx = x + 3; wx < right - 4; wx += 6)
                if (noise.unit() < 0.35f) c.fillRect(wx, wy, wx + 3, wy + 4, Rgb{250, 214, 120});
        x = right + static_cast<int>(noise.unit() * 6);
    }
}

// The sky's top colour with stars, for the dome: its bottom row meets the top
// row of the sky panels. Kept in a blue that the game's 3-3-2 textures still
// show as blue, never as the black of an empty screen.
void paintNight(Canvas& c) {
    const AtlasBox& b = ATLAS_NIGHT;
    c.fillRect(b.x0, b.y0, b.x1, b.y1, SKY_TOP_BLUE);
    NoiseSource noise(22);
    for (int i = 0; i < 60; ++i)
        c.fillCircle(b.x0 + 3 + noise.unit() * 506, b.y0 + 3 + noise.unit() * 122, 0.5f + 0.5f * noise.unit(),
                     Rgb{230, 230, 250});
}

// One stand's crowd, painted four times larger than it is stored and then
// scaled down and softened. The stands lay it out at about five texels a unit,
// which is about one texel a screen pixel where the camera sees them, and the
// texture is filtered linearly without mipmaps: so its people are soft blobs
// a few texels across, in colours not far from the stand's own, and nothing in
// it is sharp enough to flicker as the camera runs.
void paintCrowdBox(Canvas& atlas, const AtlasBox& box, std::uint32_t seed) {
    const int scale = 4, rows = 16;
    const Rgb stand{70, 72, 84}, step{98, 100, 108};
    const Rgb shirts[] = {{200, 40, 36}, {36, 70, 190}, {236, 200, 40}, {230, 230, 230}, {40, 150, 80}, {168, 36, 32}};
    const Rgb skins[] = {{232, 190, 150}, {190, 140, 100}, {120, 84, 60}};
    const int width = (box.x1 - box.x0) * scale, height = (box.y1 - box.y0) * scale, rowHeight = height / rows;
    Canvas big(width, height, stand);
    NoiseSource noise(seed);
    for (int row = 0; row < rows; ++row) {
        int y = row * rowHeight;
        big.fillRect(0, y + rowHeight - 6, width, y + rowHeight, step);  // the step of the row
        for (int x = 2 + static_cast<int>(noise.unit() * 8); x < width - 18; x += 20) {
            if (x % 512 < 40) continue;            // aisle
            if (noise.unit() < 0.15f) continue;    // an empty seat
            Rgb shirt = mixRgb(shirts[noise.next() % 6], stand, 0.3f);
            int lift = static_cast<int>(noise.unit() * 4);
            big.fillRect(x, y + 14 - lift, x + 15, y + rowHeight - 6, shirt);
            big.fillCircle(x + 7.5f, y + 9.0f - lift, 5.0f, mixRgb(skins[noise.next() % 3], stand, 0.2f));
        }
    }
    Canvas small = Canvas::downsample(big, scale);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) {
            // A 3 x 3 blur on top of the scaling softens every edge to two texels.
            int r = 0, g = 0, b = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    Rgb p = small.get(x + dx, y + dy);
                    r += p.r;
                    g += p.g;
                    b += p.b;
                }
            atlas.set(box.x0 + x, box.y0 + y, Rgb{(r + 4) / 9, (g + 4) / 9, (b + 4) / 9});
        }
}

void paintCrowd(Canvas& c) {
    paintCrowdBox(c, ATLAS_CROWD_SIDE, 31);
    paintCrowdBox(c, ATLAS_CROWD_FAR, 32);
}

void paintBoards(Canvas& c) {
    const AtlasBox& b = ATLAS_BOARDS;
    c.verticalGradient(b.x0, b.y0, b.x1, b.y1, Rgb{20, 30, 110}, Rgb{10, 14, 60});
    c.fillRect(b.x0, b.y0 + 2, b.x1, b.y0 + 10, Rgb{236, 200, 40});
    c.fillRect(b.x0, b.y1 - 10, b.x1, b.y1 - 2, Rgb{236, 200, 40});
    std::string text = "ZORBAK FOOTBALL II";
    float cell = 4.4f;
    drawBlockText(c, text, b.x0 + (512 - blockTextWidth(text, cell)) / 2, b.y0 + 34, cell, 8.5f,
                  Rgb{250, 250, 250}, 0.9f);
}

void paintApronAndLights(Canvas& c) {
    const AtlasBox& a = ATLAS_APRON;
    c.fillRect(a.x0, a.y0, a.x1, a.y1, Rgb{34, 88, 40});
    c.addNoise(a.x0, a.y0, a.x1, a.y1, 6, 41);
    const AtlasBox& l = ATLAS_LIGHTS;
    c.fillRect(l.x0, l.y0, l.x1, l.y1, Rgb{96, 98, 108});
    for (int x = l.x0 + 16; x < l.x1 - 40; x += 64) {
        c.fillRect(x, l.y0 + 24, x + 40, l.y1 - 24, Rgb{40, 40, 48});
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 2; ++j) c.fillCircle(x + 8 + i * 12.0f, l.y0 + 44 + j * 38.0f, 5.5f, Rgb{255, 250, 214});
    }
}

}  // namespace

float fieldAtlasX(float worldX) { return 2.0f + (GRASS_HALF_X - worldX) * PIXELS_PER_X; }
float fieldAtlasY(float worldZ) { return 2.0f + (GRASS_HALF_Z - worldZ) * PIXELS_PER_Z; }

Canvas paintFieldAtlas() {
    Canvas c(FIELD_ATLAS_SIZE, FIELD_ATLAS_SIZE, Rgb{36, 109, 20});
    paintGrass(c);
    paintEndZones(c);
    paintLines(c);
    paintNumbers(c);
    paintSky(c);
    paintNight(c);
    paintCrowd(c);
    paintBoards(c);
    paintApronAndLights(c);
    return c;
}
