#include "platform/OpenGl.h"
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "LoopGameStub.h"
#include "app/Engine.h"
#include "platform/Window.h"
#include "support/TempMediaDir.h"
#include "support/TestSeams.h"
#include "support/WindowMessages.h"

namespace {

constexpr const char* TITLE = "Zorbak Football II";
constexpr double TICK = 0.03125;  // exact in float, just over the game's tick

GLint glInteger(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

// The engine on its defaults with a real 640 x 480 window, run by the test one
// iteration at a time under a stepped clock, with a stub for the game.
class WindowLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(startWindowedEngine(engine, game));
        engine.setFrameObserver([this] { depthWhileDrawing = glInteger(GL_PROJECTION_STACK_DEPTH); });
    }
    // Moves the clock on and runs one iteration; how many steps it took.
    long iterate(double advance) {
        now += advance;
        const long before = engine.controls().ticksTaken();
        engine.runIteration(game);
        return engine.controls().ticksTaken() - before;
    }
    // The window's first messages (its mapping, its first exposure) ask for a
    // picture: ticks go by until none is due any more.
    void settle() {
        game.held = true;
        for (int i = 0; i < 20; ++i) {
            const int draws = game.draws;
            iterate(TICK);
            if (game.draws == draws) break;
        }
        game.held = false;
    }

    TempMediaDir dir;
    double now = 100.0;
    ClockOverride clock{[this] { return now; }};
    Engine engine;
    LoopGameStub game;
    GLint depthWhileDrawing = 0;
};

}  // namespace

TEST(EngineStartTest, StartsFromTheOptionsFileAndLeavesTheProjectionCurrent) {
    TempMediaDir dir;
    dir.write("game.ini", "[Game]\nWindowed=1\nLights=1\nWidth=0\nHeight=0\nUseScreenRes=0\n");
    int desktopWidth = 0;
    int desktopHeight = 0;
    {
        Engine engine;
        ASSERT_TRUE(engine.init(TITLE, nullptr, Color4(0.1f, 0.2f, 0.3f, 0.0f), 1.0f, 500.0f,
                                OPTIONS_READ_FILE));
        ASSERT_TRUE(platformDesktopSize(desktopWidth, desktopHeight));
        EXPECT_TRUE(engine.running());
        EXPECT_EQ(engine.options().resolutionIndex, RESOLUTION_SCREEN);  // a zero size means the desktop's
        EXPECT_EQ(engine.options().width, desktopWidth);
        EXPECT_EQ(engine.options().height, desktopHeight);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], engine.window().drawableWidth());  // the picture fills what the window got
        EXPECT_EQ(viewport[3], engine.window().drawableHeight());
        EXPECT_LE(engine.window().drawableWidth(), desktopWidth);
        EXPECT_GT(engine.window().drawableWidth(), desktopWidth / 2);
        EXPECT_EQ(engine.view().lightCount(), 1);
        EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_PROJECTION);
        engine.options().changed = true;  // as after the launcher's Start
    }
    // At exit the file receives the size the window really got.
    const std::string saved = dir.read("game.ini");
    EXPECT_NE(saved.find("Width=" + std::to_string(desktopWidth) + "\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("UseScreenRes=3\n"), std::string::npos) << saved;
}

TEST(EngineStartTest, LoopSleepsBetweenTicksInsteadOfSpinning) {
    TempMediaDir dir;
    Engine engine;
    ASSERT_TRUE(engine.init(TITLE, nullptr, Color4(), 1.0f, 500.0f, OPTIONS_DEFAULTS));
    EXPECT_FALSE(engine.options().changed);
    LoopGameStub game;
    engine.beginPlay(game);

    // A count of ticks rather than a fixed time, so that a slow or busy machine
    // only makes the test take longer.
    constexpr std::size_t TICKS = 12;
    int spins = 0;
    auto start = std::chrono::steady_clock::now();
    while (game.steps.size() < TICKS && std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        ASSERT_TRUE(engine.runIteration(game));
        ++spins;
    }
    auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(game.steps.size(), TICKS);
    for (const TickInput& step : game.steps) {
        EXPECT_GE(step.stepSeconds, 0.03f);
    }
    // Ticks come no faster than one each 30 ms (the first is a tick after the
    // start of play); a spinning loop would go round many thousand times, a
    // sleeping one about twice per tick.
    EXPECT_GE(elapsed, std::chrono::milliseconds(30 * TICKS - 5));
    EXPECT_LT(spins, 10 * static_cast<int>(TICKS));
}

// With a real window, whose own messages are taken at every iteration: each due
// tick steps the game once with one record (a late one too: one longer step,
// never several), and an iteration with no tick due steps and draws nothing. A
// tick draws only a picture that changed, or every tick when asked; a picture
// held is drawn again only when the window asks for a repaint, and a window
// nobody sees is not drawn at all. A frame drawn leaves the projection stack as
// it found it.
TEST_F(WindowLoopTest, EachDueTickStepsOnceAndDrawsWhenThePictureChangedOrARepaintIsDue) {
    settle();
    const struct {
        const char* what;
        double advance;  // of the clock since the last iteration
        bool due;        // a tick is due
        bool held;
        bool unchanged;
        bool everyTick;
        WindowMessage message;
        bool drawn;
    } iterations[] = {
        {"changed", TICK, true, false, false, false, {}, true},
        {"changed, no tick due", 0.0, false, false, false, false, {}, false},
        {"changed, still no tick due", 0.01, false, false, false, false, {}, false},
        {"unchanged", 0.0215, true, false, true, false, {}, false},
        {"unchanged, every tick drawn", TICK, true, false, true, true, {}, true},
        {"held", TICK, true, true, false, false, {}, false},
        {"held, every tick drawn", TICK, true, true, false, true, {}, false},
        {"held, uncovered", TICK, true, true, false, false, windowMessage(MESSAGE_EXPOSED), true},
        {"held after the repaint", TICK, true, true, false, false, {}, false},
        {"held, uncovered, no tick due", 0.01, false, true, false, false, windowMessage(MESSAGE_EXPOSED), false},
        {"held, the repaint at the tick", 0.0215, true, true, false, false, {}, true},
        {"unchanged, resized", TICK, true, false, true, false, windowMessage(MESSAGE_RESIZED, 0, 640, 480), true},
        {"changed, a stall of half a second", 0.5, true, false, false, false, {}, true},
        {"changed, hidden", TICK, true, false, false, false, windowMessage(MESSAGE_HIDDEN), false},
        {"held, shown again", TICK, true, true, false, false, windowMessage(MESSAGE_SHOWN), true},
    };
    for (const auto& iteration : iterations) {
        SCOPED_TRACE(iteration.what);
        game.held = iteration.held;
        game.unchanged = iteration.unchanged;
        engine.setDrawEveryTick(iteration.everyTick);
        if (iteration.message.kind != MESSAGE_NONE) {
            engine.handleMessage(iteration.message);
        }
        const std::size_t steps = game.steps.size();
        const int draws = game.draws;
        depthWhileDrawing = 0;
        EXPECT_EQ(iterate(iteration.advance), iteration.due ? 1 : 0);
        EXPECT_EQ(game.steps.size() - steps, iteration.due ? 1u : 0u);
        EXPECT_EQ(game.draws - draws, iteration.drawn ? 1 : 0);
        EXPECT_EQ(depthWhileDrawing, iteration.drawn ? 2 : 0);
        EXPECT_EQ(glInteger(GL_PROJECTION_STACK_DEPTH), 1);
        EXPECT_EQ(glInteger(GL_MATRIX_MODE), GL_PROJECTION);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The pointer's pixels are measured in the drawable area the window got, and a
// new size reaches the projection and the pointer at once; a window squeezed to
// nothing keeps the last.
TEST_F(WindowLoopTest, TheViewAndThePointerFollowTheDrawableArea) {
    const struct {
        bool resized;
        int width, height;
        int keptWidth, keptHeight;
    } sizes[] = {{false, 0, 0, 640, 480}, {true, 800, 500, 800, 500}, {true, 0, 0, 800, 500},
                 {true, 300, 200, 300, 200}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.keptWidth);
        if (size.resized) {
            engine.handleMessage(windowMessage(MESSAGE_RESIZED, 0, size.width, size.height));
        }
        EXPECT_EQ(engine.window().drawableWidth(), size.keptWidth);
        EXPECT_EQ(engine.view().width(), size.keptWidth);
        EXPECT_EQ(engine.view().height(), size.keptHeight);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], size.keptWidth);
        EXPECT_EQ(viewport[3], size.keptHeight);
        // The area's corners are full left and up, and full right and down.
        const struct {
            int x, y;
            float steer;
        } corners[] = {{0, 0, -1.0f}, {size.keptWidth, size.keptHeight, 1.0f}};
        for (const auto& corner : corners) {
            engine.handleMessage(windowMessage(MESSAGE_MOUSE_MOVE, 0, corner.x, corner.y));
            const TickInput record = engine.controls().takeTick(0.03f, false);
            EXPECT_FLOAT_EQ(record.steerX, corner.steer);
            EXPECT_FLOAT_EQ(record.steerY, corner.steer);
        }
    }
}
