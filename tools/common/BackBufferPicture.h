#pragma once

// What the tools that photograph the game's own renderer share: reading the frame
// just drawn and saving it as a PPM picture.
#include "platform/OpenGl.h"

#include <cstdio>
#include <string>
#include <vector>

using BackBufferPixels = std::vector<unsigned char>;  // RGB, bottom row first, as OpenGL reads

// The frame drawn but not yet shown: after a swap the front buffer may read black.
inline BackBufferPixels readBackBuffer(int width, int height) {
    BackBufferPixels rgb(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Writes the pixels as a binary PPM, top row first as the format wants.
inline bool savePpm(const BackBufferPixels& rgb, int width, int height, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    for (int y = height - 1; y >= 0; --y) std::fwrite(&rgb[y * rowBytes], 1, rowBytes, file);
    return std::fclose(file) == 0;
}
