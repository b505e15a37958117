#pragma once

#include <cstdint>
#include <vector>

struct PlatformWindow;
struct PlatformGlContext;

// A small real window with a current OpenGL context, for tests that draw and
// read the result back (run under Xvfb with Mesa's software renderer).
class GlTestWindow {
public:
    explicit GlTestWindow(int width = 64, int height = 64);
    ~GlTestWindow();
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    bool ok() const { return context_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The back buffer as RGBA bytes, bottom row first (read before any swap).
    std::vector<std::uint8_t> readPixels() const;
    // RGBA of one pixel, x from the left, y from the bottom.
    std::uint32_t pixelAt(int x, int y) const;

private:
    int width_;
    int height_;
    PlatformWindow* window_ = nullptr;
    PlatformGlContext* context_ = nullptr;
};
