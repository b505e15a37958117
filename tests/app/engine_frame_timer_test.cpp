#include <gtest/gtest.h>

#include <cmath>

#include "app/Engine.h"
#include "core/ErrorMessages.h"
#include "app/FrameTick.h"
#include "platform/WindowMessage.h"
#include "math/Clock.h"
#include "support/TestSeams.h"
#include "support/WindowMessages.h"

namespace {

// An engine that runs without a window, on a clock the test moves by hand.
class FrameTimerTest : public ::testing::Test {
protected:
    double now = 100.0;
    ClockOverride clock{[this] { return now; }};
    Engine engine;

    void SetUp() override {
        engine.running = true;
        engine.resetTimer();
    }
};

}  // namespace

TEST_F(FrameTimerTest, TimeBelowTheTickAccumulates) {
    EXPECT_EQ(engine.lastTime, 100.0f);
    now = 100.02;
    EXPECT_EQ(engine.beginFrame(), 0.0f);
    EXPECT_EQ(engine.lastTime, 100.0f);
    now = 100.029;
    EXPECT_EQ(engine.beginFrame(), 0.0f);
    EXPECT_EQ(engine.lastTime, 100.0f);

    now = 100.045;  // the whole time since the last tick, not since the last call
    float step = engine.beginFrame();
    EXPECT_NEAR(step, 0.045f, 1e-4f);
    EXPECT_EQ(engine.lastTime, static_cast<float>(now));
    EXPECT_EQ(engine.frameTime, step);
}

TEST_F(FrameTimerTest, ThresholdIsTheSinglePrecisionValue) {
    // Exactly the float nearest 0.03 passes, although it is below the double 0.03.
    engine.lastTime = 0.0f;
    now = static_cast<double>(0.03f);
    EXPECT_EQ(engine.beginFrame(), 0.03f);

    engine.lastTime = 0.0f;
    now = static_cast<double>(std::nextafter(0.03f, 0.0f));
    EXPECT_EQ(engine.beginFrame(), 0.0f);
    EXPECT_EQ(engine.lastTime, 0.0f);
}

TEST_F(FrameTimerTest, LongStallIsOneStep) {
    now = 105.0;
    EXPECT_NEAR(engine.beginFrame(), 5.0f, 1e-4f);
}

TEST_F(FrameTimerTest, StoppedEngineDrawsNothing) {
    engine.running = false;
    now = 101.0;
    EXPECT_EQ(engine.beginFrame(), 0.0f);
    EXPECT_EQ(engine.lastTime, 100.0f);
}

TEST_F(FrameTimerTest, PauseTogglesOncePerPressAtATick) {
    engine.keyDown[VK_P_KEY] = 1;
    now = 100.01;  // no tick yet: the press waits for one
    EXPECT_EQ(engine.beginFrame(), 0.0f);
    EXPECT_FALSE(engine.paused);
    EXPECT_EQ(engine.keyDown[VK_P_KEY], 1);
    EXPECT_EQ(engine.takePauseChange(), PAUSE_UNCHANGED);

    now = 100.04;
    EXPECT_EQ(engine.beginFrame(), 0.0f);
    EXPECT_TRUE(engine.paused);
    EXPECT_EQ(engine.keyDown[VK_P_KEY], 0);
    // The loop hears of the pause once, and draws its one frame then.
    EXPECT_EQ(engine.takePauseChange(), PAUSE_BEGAN);
    EXPECT_EQ(engine.takePauseChange(), PAUSE_UNCHANGED);

    // Paused: every tick gives 0, and the time keeps following the clock.
    for (int tick = 1; tick <= 3; ++tick) {
        now = 100.04 + 0.5 * tick;
        EXPECT_EQ(engine.beginFrame(), 0.0f);
        EXPECT_TRUE(engine.paused);
        EXPECT_EQ(engine.lastTime, static_cast<float>(now));
        EXPECT_EQ(engine.takePauseChange(), PAUSE_UNCHANGED);
    }

    engine.keyDown[VK_P_KEY] = 1;
    now += 0.035;
    float step = engine.beginFrame();
    EXPECT_FALSE(engine.paused);
    EXPECT_NEAR(step, 0.035f, 1e-4f);  // only the time since the last paused tick
    EXPECT_EQ(engine.takePauseChange(), PAUSE_ENDED);
}

// Minimised or covered, the game goes on at its ticks but no frame is begun; seen
// again, its picture is due at once (a paused game draws no tick of its own).
TEST_F(FrameTimerTest, HiddenWindowTicksWithoutDrawing) {
    engine.handleMessage(windowMessage(MESSAGE_HIDDEN));
    now = 100.05;
    EXPECT_NEAR(engine.beginFrame(), 0.05f, 1e-4f);
    EXPECT_FALSE(engine.frameInProgress);

    engine.handleMessage(windowMessage(MESSAGE_SHOWN));
    now = 100.1;
    EXPECT_GT(engine.beginFrame(), 0.0f);
    EXPECT_TRUE(engine.frameInProgress);
    EXPECT_TRUE(engine.repaintDue);  // until the game draws it, so the frame is not skipped
    engine.endFrame();
    EXPECT_FALSE(engine.frameInProgress);
}

TEST_F(FrameTimerTest, ShutdownRequestEndsTheLoop) {
    ErrorBoxOverride answerOk([](ErrorSeverity, const std::string&, const std::string&) { return true; });
    showError("Out of memory.", "", SEVERITY_SHUTDOWN);
    EXPECT_FALSE(engine.pumpMessages());
    EXPECT_FALSE(engine.running);
    now = 101.0;
    EXPECT_EQ(engine.beginFrame(), 0.0f);
    clearShutdownRequest();
}

TEST(FrameTickTest, LoopSleepsUntilTheTickIsDueAndNoLonger) {
    EXPECT_EQ(millisecondsUntilTick(100.0f, 100.0f), 30);
    EXPECT_EQ(millisecondsUntilTick(100.0f, 100.0205f), 10);  // rounded up, never early
    EXPECT_EQ(millisecondsUntilTick(100.0f, 100.045f), 0);
    // Whatever beginFrame counts as a tick is never slept through, and just
    // before one the loop still sleeps at least a millisecond instead of spinning.
    EXPECT_EQ(millisecondsUntilTick(0.0f, 0.03f), 0);
    EXPECT_EQ(millisecondsUntilTick(0.0f, std::nextafter(0.03f, 0.0f)), 1);
    // A clock that went back does not put the loop to sleep for longer than a tick.
    EXPECT_EQ(millisecondsUntilTick(100.0f, 90.0f), 30);
}

namespace {

// A centred-range stick whose position and buttons the test sets.
class StubStick : public JoystickSource {
public:
    JoystickReading reading;
    bool plugged = true;

    bool readCaps(std::uint32_t, JoystickCaps& caps) override {
        caps.xMin = caps.yMin = 0;
        caps.xMax = caps.yMax = 100;
        return true;
    }
    bool readPosition(std::uint32_t, JoystickReading& out) override {
        out = reading;
        return plugged;
    }
};

}  // namespace

TEST(EnginePumpTest, JoystickDecidesStickAndSpaceAtEverySpin) {
    StubStick stick;
    JoystickOverride stickInUse(&stick);
    {
        Engine engine;  // not running: the pump never waits
        ASSERT_TRUE(engine.joystick.open(0));
        stick.reading.xPos = 100;
        stick.reading.yPos = 25;
        stick.reading.buttons = 1u << 4;  // button 5
        engine.pumpMessages();
        EXPECT_FLOAT_EQ(engine.stickX, 1.0f);
        EXPECT_FLOAT_EQ(engine.stickY, -0.5f);
        EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], 1);

        // Other buttons do not hold Space down.
        stick.reading.buttons = (1u << 5) | (1u << 3) | 1u;
        engine.pumpMessages();
        EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], 0);

        // Unplugged: the mouse and keyboard decide again.
        stick.plugged = false;
        engine.keyDown[VK_SPACE_KEY] = 1;
        engine.stickX = 0.25f;
        engine.pumpMessages();
        EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], 1);
        EXPECT_EQ(engine.stickX, 0.25f);
    }
}
