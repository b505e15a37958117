#include "platform/OpenGl.h"
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "app/Engine.h"
#include "math/Clock.h"
#include "platform/Window.h"
#include "support/TempMediaDir.h"

namespace {

constexpr const char* TITLE = "Zorbak Football II";

GLint glInteger(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

}  // namespace

TEST(EngineLoopTest, StartsFromTheOptionsFileAndLeavesTheProjectionCurrent) {
    TempMediaDir dir;
    dir.write("game.ini", "[Game]\nWindowed=1\nLights=1\nWidth=0\nHeight=0\nUseScreenRes=0\n");
    int desktopWidth = 0;
    int desktopHeight = 0;
    {
        Engine engine;
        ASSERT_TRUE(engine.init(TITLE, nullptr, Color4(0.1f, 0.2f, 0.3f, 0.0f), 1.0f, 500.0f,
                                OPTIONS_READ_FILE));
        ASSERT_TRUE(platformDesktopSize(desktopWidth, desktopHeight));
        EXPECT_TRUE(engine.running);
        EXPECT_EQ(engine.options.resolutionIndex, RESOLUTION_SCREEN);  // a zero size means the desktop's
        EXPECT_EQ(engine.options.width, desktopWidth);
        EXPECT_EQ(engine.options.height, desktopHeight);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], engine.drawableWidth);  // the picture fills what the window got
        EXPECT_EQ(viewport[3], engine.drawableHeight);
        EXPECT_LE(engine.drawableWidth, desktopWidth);
        EXPECT_GT(engine.drawableWidth, desktopWidth / 2);
        EXPECT_EQ(engine.cameraMatrix, &engine.camera);
        EXPECT_NEAR(engine.lastTime, getTimeSeconds(), 0.5);
        EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_PROJECTION);

        // One drawn frame leaves the projection stack as it found it.
        engine.lastTime -= 1.0f;
        ASSERT_GT(engine.beginFrame(), 0.0f);
        EXPECT_EQ(glInteger(GL_PROJECTION_STACK_DEPTH), 2);
        engine.applyCamera();
        engine.endFrame();
        EXPECT_EQ(glInteger(GL_PROJECTION_STACK_DEPTH), 1);
        EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_PROJECTION);

        engine.options.changed = true;  // as after the launcher's Start
    }
    // At exit the file receives the size the window really got.
    const std::string saved = dir.read("game.ini");
    EXPECT_NE(saved.find("Width=" + std::to_string(desktopWidth) + "\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("UseScreenRes=3\n"), std::string::npos) << saved;
}

TEST(EngineLoopTest, LoopSleepsBetweenTicksInsteadOfSpinning) {
    TempMediaDir dir;
    Engine engine;
    ASSERT_TRUE(engine.init(TITLE, nullptr, Color4(), 1.0f, 500.0f, OPTIONS_DEFAULTS));
    EXPECT_FALSE(engine.options.changed);

    // A count of frames rather than a fixed time, so that a slow or busy machine
    // only makes the test take longer.
    constexpr int FRAMES = 12;
    int spins = 0;
    int frames = 0;
    auto start = std::chrono::steady_clock::now();
    while (frames < FRAMES && std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        ASSERT_TRUE(engine.pumpMessages());
        ++spins;
        float step = engine.beginFrame();
        if (step != 0.0f) {
            EXPECT_GE(step, 0.03f);
            ++frames;
            engine.applyCamera();
            engine.endFrame();
        }
    }
    auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(frames, FRAMES);
    // Frames come no faster than one tick each (the first may be due at once);
    // a spinning loop would go round many thousand times, a sleeping one about
    // twice per tick.
    EXPECT_GE(elapsed, std::chrono::milliseconds(30 * (FRAMES - 1) - 5));
    EXPECT_LT(spins, 10 * frames);
}
