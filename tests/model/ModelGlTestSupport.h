#pragma once

#include "platform/OpenGl.h"

#include <cstdint>
#include <string>
#include <vector>

#include "core/ErrorMessages.h"
#include "support/ImageTestFiles.h"
#include "model/Model.h"
#include "model/TextureCache.h"
#include "support/GlTestWindow.h"
#include "support/TempMediaDir.h"
#include "support/TestSeams.h"

// A window with the state the engine sets for the game (back faces culled,
// counter-clockwise fronts, texturing on, the game's blend function), an empty
// texture cache and captured error boxes. Identity matrices put x and y from -1
// to 1 across the window.
class ModelGlTest : public ::testing::Test {
protected:
    TempMediaDir media;
    GlTestWindow window{32, 32};
    std::vector<std::string> errors;
    ErrorBoxOverride errorBoxes{[this](ErrorSeverity, const std::string&, const std::string& text) {
        errors.push_back(text);
        return true;
    }};

    void SetUp() override {
        ASSERT_TRUE(window.ok());
        resetTextureCache(true);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glFrontFace(GL_CCW);
        glEnable(GL_TEXTURE_2D);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_BLEND);
        clearTo(0.0f, 0.0f, 1.0f);
    }

    void TearDown() override { releaseTextures(); }

    void clearTo(float r, float g, float b) {
        glClearColor(r, g, b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // A square over the whole window, facing the viewer unless reversed, with
    // the given diffuse colour and material extras (such as a TEXTURE entry).
    std::string squareModel(const std::string& diffuse, const std::string& extras = "",
                            bool reversed = false) {
        return std::string("A3F VERTICES { POSITION_NORMAL_TEXCOORDS 4\n"
                           "-1 -1 0  0 0 1  0 0\n 1 -1 0  0 0 1  1 0\n"
                           " 1  1 0  0 0 1  1 1\n-1  1 0  0 0 1  0 1 }\n") +
               (reversed ? "FACES { 2 0 2 1 0  0 3 2 0 }\n" : "FACES { 2 0 1 2 0  0 2 3 0 }\n") +
               "MATERIALS { 1 { DIFFUSE " + diffuse + " " + extras + " } }\n";
    }

    // A texture file of one colour (width x height pixels, 24-bit BMP).
    void writeSolidBmp(const std::string& name, int width, int height, std::uint8_t r,
                       std::uint8_t g, std::uint8_t b) {
        std::vector<std::uint8_t> bgr;
        for (int i = 0; i < width * height; ++i) {
            bgr.insert(bgr.end(), {b, g, r});
        }
        media.write(name, makeTestBmp(width, height, 24, bgr));
    }

    void loadModel(Model& model, const std::string& name, const std::string& text) {
        media.write(name, text);
        model.load(name.c_str());
    }

    std::uint32_t centre() const { return window.pixelAt(16, 16); }
};

// Compares an RGBA read-back with an expected colour, allowing for the few
// steps a software renderer's rounding may add.
inline void expectColour(std::uint32_t rgba, int r, int g, int b, int tolerance = 4) {
    EXPECT_NEAR(int((rgba >> 24) & 0xFF), r, tolerance) << std::hex << rgba;
    EXPECT_NEAR(int((rgba >> 16) & 0xFF), g, tolerance) << std::hex << rgba;
    EXPECT_NEAR(int((rgba >> 8) & 0xFF), b, tolerance) << std::hex << rgba;
}
