#include "platform/OpenGl.h"
#include <gtest/gtest.h>

#include "app/Engine.h"
#include "platform/Window.h"
#include "support/WindowMessages.h"

namespace {

struct Resolution {
    ResolutionChoice choice;
    int width;
    int height;
};

void expectReleased(const Engine& engine) {
    EXPECT_EQ(engine.hwnd, nullptr);
    EXPECT_EQ(engine.hglrc, nullptr);
    EXPECT_FALSE(platformHasCurrentGlContext());
    EXPECT_TRUE(platformPointerVisible());
}

// Opens the game window with the given options, as init does after the launcher.
class GameWindowTest : public ::testing::Test {
protected:
    bool open(int width, int height, bool windowed, int resolutionIndex = RESOLUTION_640X480) {
        engine.options.width = width;
        engine.options.height = height;
        engine.options.windowed = windowed ? 1 : 0;
        engine.options.resolutionIndex = resolutionIndex;
        engine.registerWindowClass();
        bool opened = engine.createWindow("Zorbak Football II");
        engine.running = opened;
        return opened;
    }

    Engine engine;
};

}  // namespace

// A resolution opens at its size where it fits on the desktop, otherwise as large
// as fits (1024 x 800 on the tests' 1024 x 768 screen, less any frame the desktop
// draws around it); the options keep it.
TEST_F(GameWindowTest, EachLauncherResolutionOpensAtItsSizeOrAsLargeAsFits) {
    int desktopWidth = 0;
    int desktopHeight = 0;
    ASSERT_TRUE(platformDesktopSize(desktopWidth, desktopHeight));
    const Resolution resolutions[] = {{RESOLUTION_640X480, 640, 480},
                                      {RESOLUTION_800X600, 800, 600},
                                      {RESOLUTION_1024X800, 1024, 800}};
    for (const Resolution& resolution : resolutions) {
        const bool fits = resolution.width < desktopWidth && resolution.height < desktopHeight - 40;
        Engine windowEngine;
        windowEngine.options.width = resolution.width;
        windowEngine.options.height = resolution.height;
        windowEngine.options.resolutionIndex = resolution.choice;
        ASSERT_TRUE(windowEngine.createWindow("Zorbak Football II")) << resolution.width;
        int width = 0;
        int height = 0;
        platformDrawableSize(windowEngine.hwnd, width, height);
        if (fits) {
            EXPECT_EQ(width, resolution.width);
            EXPECT_EQ(height, resolution.height);
        } else {
            EXPECT_LE(width, desktopWidth);
            EXPECT_LE(height, desktopHeight);
            EXPECT_GT(height, desktopHeight / 2);
        }
        EXPECT_EQ(windowEngine.drawableWidth, width);
        EXPECT_EQ(windowEngine.drawableHeight, height);
        EXPECT_EQ(windowEngine.options.width, resolution.width);
        EXPECT_EQ(windowEngine.options.height, resolution.height);
        EXPECT_TRUE(platformHasCurrentGlContext());
        EXPECT_FALSE(platformPointerConfined(windowEngine.hwnd));  // free until a hike
        EXPECT_TRUE(platformPointerVisible());

        GLint depthBits = 0;
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
        EXPECT_GE(depthBits, 16);
        GLboolean doubleBuffered = GL_FALSE;
        glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
        EXPECT_EQ(doubleBuffered, GL_TRUE);

        windowEngine.releaseWindow();
        expectReleased(windowEngine);
    }
}

TEST_F(GameWindowTest, ScreenChoiceTakesTheDesktopSize) {
    int desktopWidth = 0;
    int desktopHeight = 0;
    ASSERT_TRUE(platformDesktopSize(desktopWidth, desktopHeight));
    ASSERT_TRUE(open(0, 0, true, RESOLUTION_SCREEN));
    EXPECT_EQ(engine.options.width, desktopWidth);
    EXPECT_EQ(engine.options.height, desktopHeight);
    // The window is as large as fits, its frame (if the desktop draws one) included.
    int width = 0;
    int height = 0;
    platformDrawableSize(engine.hwnd, width, height);
    EXPECT_LE(width, desktopWidth);
    EXPECT_LE(height, desktopHeight);
    EXPECT_GT(height, desktopHeight / 2);
    EXPECT_EQ(engine.drawableWidth, width);
    EXPECT_EQ(engine.drawableHeight, height);
}

TEST_F(GameWindowTest, ReleasingTwiceIsSafe) {
    ASSERT_TRUE(open(640, 480, true));
    engine.releaseWindow();
    expectReleased(engine);
    EXPECT_FALSE(engine.fullScreenModeSet);
    engine.releaseWindow();
    expectReleased(engine);
}

TEST_F(GameWindowTest, FullScreenUsesTheModeTheDisplayOffers) {
    int desktopWidth = 0;
    int desktopHeight = 0;
    ASSERT_TRUE(platformDesktopSize(desktopWidth, desktopHeight));
    ASSERT_TRUE(open(640, 480, false));
    EXPECT_TRUE(engine.fullScreenModeSet);
    EXPECT_FALSE(platformPointerVisible());
    // The picture and the pointer mapping follow the mode really set.
    int width = 0;
    int height = 0;
    platformDrawableSize(engine.hwnd, width, height);
    EXPECT_EQ(engine.drawableWidth, width);
    EXPECT_EQ(engine.drawableHeight, height);
    EXPECT_EQ(engine.options.width, 640);  // game.ini keeps the choice
    EXPECT_EQ(engine.options.height, 480);
    EXPECT_GE(width, 640);
    EXPECT_GE(height, 480);

    engine.releaseWindow();
    expectReleased(engine);
    engine.releaseWindow();
    expectReleased(engine);
    int afterWidth = 0;
    int afterHeight = 0;
    ASSERT_TRUE(platformDesktopSize(afterWidth, afterHeight));
    EXPECT_EQ(afterWidth, desktopWidth);
    EXPECT_EQ(afterHeight, desktopHeight);
}

TEST_F(GameWindowTest, FullScreenModeTheDisplayLacksFails) {
    EXPECT_FALSE(open(16000, 12000, false));
    EXPECT_EQ(engine.hwnd, nullptr);
    EXPECT_EQ(engine.hglrc, nullptr);
    EXPECT_TRUE(platformPointerVisible());
    engine.releaseWindow();
    expectReleased(engine);
}

TEST_F(GameWindowTest, PointerIsKeptOnlyWhileADownIsPlayedInTheFocusedWindow) {
    ASSERT_TRUE(open(640, 480, true));
    engine.setDownInPlay(true);
    EXPECT_TRUE(platformPointerConfined(engine.hwnd));
    engine.handleMessage(windowMessage(MESSAGE_FOCUS_LOST));
    EXPECT_FALSE(platformPointerConfined(engine.hwnd));
    engine.handleMessage(windowMessage(MESSAGE_FOCUS_GAINED));
    EXPECT_TRUE(platformPointerConfined(engine.hwnd));
    const auto pressPAtATick = [this] {
        engine.keyDown[VK_P_KEY] = 1;
        engine.lastTime = -1000.0f;
        engine.beginFrame();
    };
    pressPAtATick();
    EXPECT_FALSE(platformPointerConfined(engine.hwnd)) << "paused";
    pressPAtATick();
    EXPECT_TRUE(platformPointerConfined(engine.hwnd));
    engine.setDownInPlay(false);  // a tackle, a score or a miss
    EXPECT_FALSE(platformPointerConfined(engine.hwnd));
}

TEST_F(GameWindowTest, QuitKeysCloseTheWindowEvenWhilePaused) {
    for (std::uint32_t stopKey : {VK_Q_KEY, VK_ESCAPE_KEY}) {
        Engine windowEngine;
        windowEngine.options.width = 640;
        windowEngine.options.height = 480;
        ASSERT_TRUE(windowEngine.createWindow("Zorbak Football II"));
        windowEngine.running = true;
        windowEngine.paused = true;
        windowEngine.handleMessage(windowMessage(MESSAGE_KEY_DOWN, stopKey));
        EXPECT_FALSE(windowEngine.running);
        EXPECT_EQ(windowEngine.keyDown[stopKey], 1);
        expectReleased(windowEngine);
        // Focus coming back after the stop must not catch the pointer again.
        windowEngine.handleMessage(windowMessage(MESSAGE_FOCUS_GAINED));
        EXPECT_EQ(windowEngine.hwnd, nullptr);
    }
}

TEST_F(GameWindowTest, PointerMapsTheDrawableArea) {
    ASSERT_TRUE(open(800, 600, true));
    engine.handleMessage(windowMessage(MESSAGE_MOUSE_MOVE, 0, 0, 599));
    EXPECT_FLOAT_EQ(engine.stickX, -1.0f);
    EXPECT_FLOAT_EQ(engine.stickY, 2.0f * 599 / 600 - 1.0f);
    engine.handleMessage(windowMessage(MESSAGE_MOUSE_MOVE, 0, 400, 300));
    EXPECT_FLOAT_EQ(engine.stickX, 0.0f);
    EXPECT_FLOAT_EQ(engine.stickY, 0.0f);
}

// The sizes it takes need a window manager: tests/e2e/window_e2e.sh checks them.
TEST_F(GameWindowTest, FullScreenKeyHidesThePointerAndLeavesTheOptions) {
    ASSERT_TRUE(open(640, 480, true));
    for (bool fullScreen : {true, false}) {
        engine.handleMessage(windowMessage(MESSAGE_TOGGLE_FULL_SCREEN));
        EXPECT_EQ(platformFullScreen(engine.hwnd), fullScreen);
        EXPECT_EQ(platformPointerVisible(), !fullScreen);
        EXPECT_EQ(engine.options.width, 640);  // game.ini is the launcher's alone
        EXPECT_FALSE(engine.fullScreenModeSet);
    }
    engine.handleMessage(windowMessage(MESSAGE_TOGGLE_FULL_SCREEN));
    engine.releaseWindow();
    expectReleased(engine);
}
