#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An RGB colour of 0..255 channels; the generator paints in these.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

Rgb mixRgb(Rgb a, Rgb b, float t);
Rgb scaleRgb(Rgb c, float factor);

// A picture in memory, top row first, that the generator paints and then writes
// as a texture or the launcher's splash.
class Canvas {
public:
    Canvas(int width, int height, Rgb fill = Rgb{});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb get(int x, int y) const;
    void set(int x, int y, Rgb c);
    // Mixes c over the pixel with coverage t (0..1); outside pixels are ignored.
    void blend(int x, int y, Rgb c, float t);

    void fillRect(int x0, int y0, int x1, int y1, Rgb c);  // x1, y1 exclusive
    void fillCircle(float cx, float cy, float radius, Rgb c);
    void fillPolygon(const std::vector<float>& xy, Rgb c);
    void thickLine(float x0, float y0, float x1, float y1, float width, Rgb c);
    // Vertical gradient from top to bottom over the rows y0..y1 (exclusive).
    void verticalGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
    // Adds +-amount of seeded noise to every channel in the rectangle.
    void addNoise(int x0, int y0, int x1, int y1, int amount, std::uint32_t seed);
    // Copies a scaled-down version of src (box filter by an integer factor).
    static Canvas downsample(const Canvas& src, int factor);

    bool writeJpeg(const std::string& path, int quality) const;
    bool writeBmp(const std::string& path) const;
    bool writePpm(const std::string& path) const;

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> rgb_;
};

// A small deterministic generator so that every run paints the same noise.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    std::uint32_t next();
    float unit();  // [0, 1)

private:
    std::uint32_t state_;
};
