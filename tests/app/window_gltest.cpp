#include "platform/OpenGl.h"
#include <gtest/gtest.h>

#include "LoopGameStub.h"
#include "app/Engine.h"
#include "app/GameWindow.h"
#include "platform/Window.h"
#include "support/TempMediaDir.h"
#include "support/TestSeams.h"
#include "support/WindowMessages.h"

namespace {

constexpr const char* TITLE = "Zorbak Football II";

struct Resolution {
    ResolutionChoice choice;
    int width;
    int height;
};

void expectReleased(const GameWindow& window) {
    EXPECT_EQ(window.handle(), nullptr);
    EXPECT_EQ(window.context(), nullptr);
    EXPECT_FALSE(platformHasCurrentGlContext());
    EXPECT_TRUE(platformPointerVisible());
}

// Opens the game window with the given options, as the engine's start does after
// the launcher.
class GameWindowTest : public ::testing::Test {
protected:
    bool open(int width, int height, bool windowed, int resolutionIndex = RESOLUTION_640X480) {
        options.width = width;
        options.height = height;
        options.windowed = windowed ? 1 : 0;
        options.resolutionIndex = resolutionIndex;
        return window.open(TITLE, options);
    }

    GameOptions options;
    GameWindow window;
};

// The engine started on its defaults with a 640 x 480 window, its clock stepped
// by the test.
class EngineWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(startWindowedEngine(engine, game));
    }
    // One iteration of the main loop at a due tick.
    void tick() {
        now += 0.03125;
        engine.runIteration(game);
    }

    TempMediaDir dir;
    double now = 100.0;
    ClockOverride clock{[this] { return now; }};
    Engine engine;
    LoopGameStub game;
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
        GameOptions windowOptions;
        windowOptions.width = resolution.width;
        windowOptions.height = resolution.height;
        windowOptions.resolutionIndex = resolution.choice;
        GameWindow resolutionWindow;
        ASSERT_TRUE(resolutionWindow.open(TITLE, windowOptions)) << resolution.width;
        int width = 0;
        int height = 0;
        platformDrawableSize(resolutionWindow.handle(), width, height);
        if (fits) {
            EXPECT_EQ(width, resolution.width);
            EXPECT_EQ(height, resolution.height);
        } else {
            EXPECT_LE(width, desktopWidth);
            EXPECT_LE(height, desktopHeight);
            EXPECT_GT(height, desktopHeight / 2);
        }
        EXPECT_EQ(resolutionWindow.drawableWidth(), width);
        EXPECT_EQ(resolutionWindow.drawableHeight(), height);
        EXPECT_EQ(windowOptions.width, resolution.width);
        EXPECT_EQ(windowOptions.height, resolution.height);
        EXPECT_TRUE(platformHasCurrentGlContext());
        EXPECT_FALSE(platformPointerConfined(resolutionWindow.handle()));  // free until a hike
        EXPECT_TRUE(platformPointerVisible());

        GLint depthBits = 0;
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
        EXPECT_GE(depthBits, 16);
        GLboolean doubleBuffered = GL_FALSE;
        glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
        EXPECT_EQ(doubleBuffered, GL_TRUE);

        resolutionWindow.release();
        expectReleased(resolutionWindow);
    }
}

TEST_F(GameWindowTest, ScreenChoiceTakesTheDesktopSize) {
    int desktopWidth = 0;
    int desktopHeight = 0;
    ASSERT_TRUE(platformDesktopSize(desktopWidth, desktopHeight));
    ASSERT_TRUE(open(0, 0, true, RESOLUTION_SCREEN));
    EXPECT_EQ(options.width, desktopWidth);
    EXPECT_EQ(options.height, desktopHeight);
    // The window is as large as fits, its frame (if the desktop draws one) included.
    int width = 0;
    int height = 0;
    platformDrawableSize(window.handle(), width, height);
    EXPECT_LE(width, desktopWidth);
    EXPECT_LE(height, desktopHeight);
    EXPECT_GT(height, desktopHeight / 2);
    EXPECT_EQ(window.drawableWidth(), width);
    EXPECT_EQ(window.drawableHeight(), height);
}

TEST_F(GameWindowTest, ReleasingTwiceIsSafe) {
    ASSERT_TRUE(open(640, 480, true));
    window.release();
    expectReleased(window);
    window.release();
    expectReleased(window);
}

TEST_F(GameWindowTest, FullScreenUsesTheModeTheDisplayOffers) {
    int desktopWidth = 0;
    int desktopHeight = 0;
    ASSERT_TRUE(platformDesktopSize(desktopWidth, desktopHeight));
    ASSERT_TRUE(open(640, 480, false));
    EXPECT_FALSE(platformPointerVisible());
    // The picture and the pointer mapping follow the mode really set.
    int width = 0;
    int height = 0;
    platformDrawableSize(window.handle(), width, height);
    EXPECT_EQ(window.drawableWidth(), width);
    EXPECT_EQ(window.drawableHeight(), height);
    EXPECT_EQ(options.width, 640);  // game.ini keeps the choice
    EXPECT_EQ(options.height, 480);
    EXPECT_GE(width, 640);
    EXPECT_GE(height, 480);

    window.release();
    expectReleased(window);
    window.release();
    expectReleased(window);
    int afterWidth = 0;
    int afterHeight = 0;
    ASSERT_TRUE(platformDesktopSize(afterWidth, afterHeight));
    EXPECT_EQ(afterWidth, desktopWidth);
    EXPECT_EQ(afterHeight, desktopHeight);
}

TEST_F(GameWindowTest, FullScreenModeTheDisplayLacksFails) {
    EXPECT_FALSE(open(16000, 12000, false));
    EXPECT_EQ(window.handle(), nullptr);
    EXPECT_EQ(window.context(), nullptr);
    EXPECT_TRUE(platformPointerVisible());
    window.release();
    expectReleased(window);
}

// The sizes it takes need a window manager: tests/e2e/window_e2e.sh checks them.
TEST_F(GameWindowTest, FullScreenKeyHidesThePointerAndLeavesTheOptions) {
    ASSERT_TRUE(open(640, 480, true));
    for (bool fullScreen : {true, false}) {
        window.follow(windowMessage(MESSAGE_TOGGLE_FULL_SCREEN));
        EXPECT_EQ(platformFullScreen(window.handle()), fullScreen);
        EXPECT_EQ(platformPointerVisible(), !fullScreen);
        EXPECT_EQ(options.width, 640);  // game.ini is the launcher's alone
    }
    window.follow(windowMessage(MESSAGE_TOGGLE_FULL_SCREEN));
    window.release();
    expectReleased(window);
}

// The pointer is kept in the window exactly while a down is played, unpaused, in
// the focused window; the rule is applied at each tick.
TEST_F(EngineWindowTest, PointerIsKeptOnlyWhileADownIsPlayedInTheFocusedWindow) {
    const struct {
        const char* moment;
        MessageKind message;  // MESSAGE_NONE: none
        bool inPlay;
        bool paused;
        bool confined;
    } moments[] = {
        {"before the hike", MESSAGE_NONE, false, false, false},
        {"the hike", MESSAGE_NONE, true, false, true},
        {"focus lost", MESSAGE_FOCUS_LOST, true, false, false},
        {"focus back", MESSAGE_FOCUS_GAINED, true, false, true},
        {"paused", MESSAGE_NONE, true, true, false},
        {"resumed", MESSAGE_NONE, true, false, true},
        {"a tackle, a score or a miss", MESSAGE_NONE, false, false, false},
    };
    for (const auto& moment : moments) {
        SCOPED_TRACE(moment.moment);
        if (moment.message != MESSAGE_NONE) {
            engine.handleMessage(windowMessage(moment.message));
        }
        game.inPlay = moment.inPlay;
        game.isPaused = moment.paused;
        tick();
        EXPECT_EQ(platformPointerConfined(engine.window().handle()), moment.confined);
    }
}

TEST_F(EngineWindowTest, QuitKeysAndTheCloseBoxCloseTheWindowAtOnce) {
    const WindowMessage stops[] = {windowMessage(MESSAGE_KEY_DOWN, VK_Q_KEY),
                                   windowMessage(MESSAGE_KEY_DOWN, VK_ESCAPE_KEY),
                                   windowMessage(MESSAGE_CLOSE)};
    for (const WindowMessage& stop : stops) {
        SCOPED_TRACE(stop.wParam);
        Engine stopped;
        stopped.options().width = 640;
        stopped.options().height = 480;
        stopped.options().windowed = 1;
        ASSERT_TRUE(stopped.init(TITLE, nullptr, Color4(), 1.0f, 500.0f, OPTIONS_DEFAULTS));
        ASSERT_TRUE(stopped.running());
        stopped.handleMessage(stop);
        EXPECT_FALSE(stopped.running());
        expectReleased(stopped.window());
        // Focus coming back after the stop must not catch the pointer again.
        stopped.handleMessage(windowMessage(MESSAGE_FOCUS_GAINED));
        EXPECT_EQ(stopped.window().handle(), nullptr);
    }
}
