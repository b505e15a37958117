#include "support/GlTestWindow.h"

#include "platform/OpenGl.h"

#include "platform/Window.h"

GlTestWindow::GlTestWindow(int width, int height) : width_(width), height_(height) {
    window_ = platformCreateWindow("gl test", width, height, false, nullptr);
    context_ = platformCreateGlContext(window_);
    if (context_ != nullptr) {
        glViewport(0, 0, width, height);
    }
}

GlTestWindow::~GlTestWindow() {
    platformDeleteGlContext(context_);
    platformDestroyWindow(window_);
}

std::vector<std::uint8_t> GlTestWindow::readPixels() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * height_ * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::uint32_t GlTestWindow::pixelAt(int x, int y) const {
    std::uint8_t rgba[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (std::uint32_t(rgba[0]) << 24) | (std::uint32_t(rgba[1]) << 16) |
           (std::uint32_t(rgba[2]) << 8) | rgba[3];
}
