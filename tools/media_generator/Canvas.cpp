#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <jpeglib.h>

namespace {

int clampByte(int v) { return std::min(255, std::max(0, v)); }

void putLe16(std::FILE* f, unsigned v) {
    std::fputc(v & 0xff, f);
    std::fputc((v >> 8) & 0xff, f);
}

void putLe32(std::FILE* f, unsigned v) {
    putLe16(f, v & 0xffff);
    putLe16(f, v >> 16);
}

}  // namespace

Rgb mixRgb(Rgb a, Rgb b, float t) {
    return Rgb{clampByte(static_cast<int>(std::lround(a.r + (b.r - a.r) * t))),
               clampByte(static_cast<int>(std::lround(a.g + (b.g - a.g) * t))),
               clampByte(static_cast<int>(std::lround(a.b + (b.b - a.b) * t)))};
}

Rgb scaleRgb(Rgb c, float factor) {
    return Rgb{clampByte(static_cast<int>(std::lround(c.r * factor))),
               clampByte(static_cast<int>(std::lround(c.g * factor))),
               clampByte(static_cast<int>(std::lround(c.b * factor)))};
}

std::uint32_t NoiseSource::next() {
    // xorshift32: cheap, and the same sequence on every machine
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float NoiseSource::unit() { return static_cast<float>(next() >> 8) / 16777216.0f; }

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), rgb_(static_cast<size_t>(width) * height * 3) {
    fillRect(0, 0, width, height, fill);
}

Rgb Canvas::get(int x, int y) const {
    x = std::min(width_ - 1, std::max(0, x));
    y = std::min(height_ - 1, std::max(0, y));
    const std::uint8_t* p = &rgb_[(static_cast<size_t>(y) * width_ + x) * 3];
    return Rgb{p[0], p[1], p[2]};
}

void Canvas::set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    std::uint8_t* p = &rgb_[(static_cast<size_t>(y) * width_ + x) * 3];
    p[0] = static_cast<std::uint8_t>(clampByte(c.r));
    p[1] = static_cast<std::uint8_t>(clampByte(c.g));
    p[2] = static_cast<std::uint8_t>(clampByte(c.b));
}

void Canvas::blend(int x, int y, Rgb c, float t) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || t <= 0.0f) return;
    set(x, y, t >= 1.0f ? c : mixRgb(get(x, y), c, t));
}

void Canvas::fillRect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) set(x, y, c);
}

void Canvas::fillCircle(float cx, float cy, float radius, Rgb c) {
    int y0 = static_cast<int>(std::floor(cy - radius - 1));
    int y1 = static_cast<int>(std::ceil(cy + radius + 1));
    int x0 = static_cast<int>(std::floor(cx - radius - 1));
    int x1 = static_cast<int>(std::ceil(cx + radius + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            blend(x, y, c, std::min(1.0f, std::max(0.0f, radius - d + 0.5f)));
        }
}

void Canvas::fillPolygon(const std::vector<float>& xy, Rgb c) {
    // Even-odd scanline fill, sampled at pixel centres with 4 sub-rows for soft edges.
    size_t n = xy.size() / 2;
    if (n < 3) return;
    float minY = xy[1], maxY = xy[1];
    for (size_t i = 0; i < n; ++i) {
        minY = std::min(minY, xy[2 * i + 1]);
        maxY = std::max(maxY, xy[2 * i + 1]);
    }
    const int sub = 4;
    std::vector<float> coverage(static_cast<size_t>(width_));
    for (int y = std::max(0, static_cast<int>(minY)); y <= std::min(height_ - 1, static_cast<int>(maxY)); ++y) {
        std::fill(coverage.begin(), coverage.end(), 0.0f);
        for (int s = 0; s < sub; ++s) {
            float sy = y + (s + 0.5f) / sub;
            std::vector<float> crossings;
            for (size_t i = 0; i < n; ++i) {
                float ax = xy[2 * i], ay = xy[2 * i + 1];
                float bx = xy[2 * ((i + 1) % n)], by = xy[2 * ((i + 1) % n) + 1];
                if ((ay <= sy && by > sy) || (by <= sy && ay > sy))
                    crossings.push_back(ax + (sy - ay) / (by - ay) * (bx - ax));
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
                for (int x = std::max(0, static_cast<int>(crossings[k] - 1));
                     x <= std::min(width_ - 1, static_cast<int>(crossings[k + 1] + 1)); ++x) {
                    float left = std::max(crossings[k], static_cast<float>(x));
                    float right = std::min(crossings[k + 1], static_cast<float>(x + 1));
                    if (right > left) coverage[static_cast<size_t>(x)] += (right - left) / sub;
                }
            }
        }
        for (int x = 0; x < width_; ++x) blend(x, y, c, coverage[static_cast<size_t>(x)]);
    }
}

void Canvas::thickLine(float x0, float y0, float x1, float y1, float width, Rgb c) {
    float dx = x1 - x0, dy = y1 - y0;
    float len = std::hypot(dx, dy);
    if (len <= 0.0f) return;
    float nx = -dy / len * width / 2, ny = dx / len * width / 2;
    fillPolygon({x0 + nx, y0 + ny, x1 + nx, y1 + ny, x1 - nx, y1 - ny, x0 - nx, y0 - ny}, c);
}

void Canvas::verticalGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
    for (int y = y0; y < y1; ++y) {
        float t = (y1 - y0 > 1) ? static_cast<float>(y - y0) / (y1 - y0 - 1) : 0.0f;
        fillRect(x0, y, x1, y + 1, mixRgb(top, bottom, t));
    }
}

void Canvas::addNoise(int x0, int y0, int x1, int y1, int amount, std::uint32_t seed) {
    NoiseSource noise(seed);
    for (int y = std::max(0, y0); y < std::min(height_, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width_, x1); ++x) {
            int d = static_cast<int>(noise.next() % static_cast<std::uint32_t>(2 * amount + 1)) - amount;
            Rgb c = get(x, y);
            set(x, y, Rgb{c.r + d, c.g + d, c.b + d});
        }
}

Canvas Canvas::downsample(const Canvas& src, int factor) {
    Canvas out(src.width_ / factor, src.height_ / factor);
    for (int y = 0; y < out.height_; ++y)
        for (int x = 0; x < out.width_; ++x) {
            int r = 0, g = 0, b = 0;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) {
                    Rgb c = src.get(x * factor + i, y * factor + j);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            int n = factor * factor;
            out.set(x, y, Rgb{(r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n});
        }
    return out;
}

bool Canvas::writeJpeg(const std::string& path, int quality) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width_);
    info.image_height = static_cast<JDIMENSION>(height_);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Keep the colour planes at full resolution: thin painted lines stay crisp.
    for (int c = 0; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb_[static_cast<size_t>(info.next_scanline) * width_ * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

bool Canvas::writeBmp(const std::string& path) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    unsigned rowBytes = (static_cast<unsigned>(width_) * 3 + 3) & ~3u;
    unsigned dataBytes = rowBytes * static_cast<unsigned>(height_);
    std::fputs("BM", file);
    putLe32(file, 54 + dataBytes);
    putLe32(file, 0);
    putLe32(file, 54);
    putLe32(file, 40);
    putLe32(file, static_cast<unsigned>(width_));
    putLe32(file, static_cast<unsigned>(height_));  // positive: bottom row first
    putLe16(file, 1);
    putLe16(file, 24);
    putLe32(file, 0);
    putLe32(file, dataBytes);
    putLe32(file, 2835);
    putLe32(file, 2835);
    putLe32(file, 0);
    putLe32(file, 0);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            Rgb c = get(x, y);
            std::fputc(c.b, file);
            std::fputc(c.g, file);
            std::fputc(c.r, file);
        }
        for (unsigned pad = static_cast<unsigned>(width_) * 3; pad < rowBytes; ++pad) std::fputc(0, file);
    }
    return std::fclose(file) == 0;
}

bool Canvas::writePpm(const std::string& path) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width_, height_);
    std::fwrite(rgb_.data(), 1, rgb_.size(), file);
    return std::fclose(file) == 0;
}
