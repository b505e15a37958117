#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/Engine.h"
#include "app/FrameTick.h"
#include "app/LoopGameStub.h"
#include "core/ErrorMessages.h"
#include "input/Joystick.h"
#include "support/TestSeams.h"
#include "support/WindowMessages.h"

namespace {

// The main loop without a window, on a clock the test moves by hand.
class EngineLoopTest : public ::testing::Test {
protected:
    double now = 100.0;
    ClockOverride clock{[this] { return now; }};
    Engine engine;
    LoopGameStub game;

    void SetUp() override { engine.startHeadless(PlayOptions()); }
    bool iterateAt(double time) {
        now = time;
        return engine.runIteration(game);
    }
    void send(MessageKind kind, std::uint32_t key = 0, int x = 0, int y = 0) {
        engine.handleMessage(windowMessage(kind, key, x, y));
    }
};

class CountingJoystickSource : public JoystickSource {
public:
    int opens = 0;
    bool readCaps(std::uint32_t, JoystickCaps& caps) override {
        ++opens;
        caps = JoystickCaps{0, 65535, 0, 65535, 0, 0, 0, 0};
        return true;
    }
    bool readPosition(std::uint32_t, JoystickReading& reading) override {
        reading = JoystickReading();
        return true;
    }
};

}  // namespace

// Ticks are at least the float nearest 0.03 s apart; a tick's record carries the
// whole time since the last one, however long, and each tick takes one record.
TEST_F(EngineLoopTest, EachTickStepsOnceWithTheWholeTimeSinceTheLast) {
    iterateAt(100.02);
    iterateAt(100.029);
    EXPECT_TRUE(game.steps.empty());
    iterateAt(100.045);
    ASSERT_EQ(game.steps.size(), 1u);
    EXPECT_NEAR(game.steps[0].stepSeconds, 0.045f, 1e-4f);

    const float last = static_cast<float>(now);
    iterateAt(static_cast<double>(last) + std::nextafter(0.03f, 0.0f) - 1e-4);
    EXPECT_EQ(game.steps.size(), 1u);
    iterateAt(105.0);
    ASSERT_EQ(game.steps.size(), 2u);
    EXPECT_NEAR(game.steps[1].stepSeconds, 105.0f - last, 1e-4f);
    EXPECT_EQ(engine.controls().ticksTaken(), 2);
}

// A tap between two ticks reaches the game at the next one, through the record.
TEST_F(EngineLoopTest, APressGoesThroughTheControlsIntoTheNextRecord) {
    engine.adoptWindowSize(1280, 1024);
    send(MESSAGE_KEY_DOWN, VK_SPACE_KEY);
    send(MESSAGE_KEY_UP, VK_SPACE_KEY);
    send(MESSAGE_MOUSE_MOVE, 0, 640, 0);  // the drawable the window got, not the options' size
    game.soundsHeard = true;
    iterateAt(100.01);
    iterateAt(100.04);
    ASSERT_EQ(game.steps.size(), 1u);
    EXPECT_TRUE(game.steps[0].hike.pressed);
    EXPECT_FALSE(game.steps[0].hike.held);
    EXPECT_FLOAT_EQ(game.steps[0].steerX, 0.0f);
    EXPECT_FLOAT_EQ(game.steps[0].steerY, -1.0f);
    EXPECT_TRUE(game.steps[0].scoreSoundsHeard);
    EXPECT_EQ(engine.options().width, 640);
}

TEST_F(EngineLoopTest, QEscapeAndTheCloseBoxEndTheRunAtOnce) {
    for (const WindowMessage& end : {windowMessage(MESSAGE_KEY_DOWN, VK_Q_KEY),
                                     windowMessage(MESSAGE_KEY_DOWN, VK_ESCAPE_KEY),
                                     windowMessage(MESSAGE_CLOSE)}) {
        Engine ended;
        ended.startHeadless(PlayOptions());
        ended.handleMessage(end);
        EXPECT_FALSE(ended.running()) << end.kind << " " << end.wParam;
        now += 1.0;
        EXPECT_FALSE(ended.runIteration(game));
    }
    EXPECT_TRUE(game.steps.empty());
}

TEST_F(EngineLoopTest, AShutdownRequestEndsTheLoop) {
    ErrorBoxOverride answerOk([](ErrorSeverity, const std::string&, const std::string&) { return true; });
    showError("Out of memory.", "", SEVERITY_SHUTDOWN);
    EXPECT_FALSE(iterateAt(101.0));
    EXPECT_TRUE(game.steps.empty());
    clearShutdownRequest();
}

TEST_F(EngineLoopTest, AJoystickPluggedInIsOpenedOnlyWithTheOption) {
    CountingJoystickSource device;
    JoystickOverride deviceInUse(&device);
    engine.options().joystick = 0;
    send(MESSAGE_JOYSTICK_ADDED);
    EXPECT_EQ(device.opens, 0);
    engine.options().joystick = 1;
    send(MESSAGE_JOYSTICK_ADDED);
    EXPECT_EQ(device.opens, 1);
}

// Watched, the game gets the replay's records at their pace, whatever the player
// presses; P holds it; after the last record and its sound the run ends.
TEST_F(EngineLoopTest, AWatchedReplayFeedsItsOwnRecords) {
    Replay replay;
    for (float step : {0.04f, 0.05f}) {
        TickInput tick;
        tick.stepSeconds = step;
        tick.kick.held = true;
        replay.ticks.push_back(tick);
    }
    Engine watching;
    watching.watch(replay);
    watching.startHeadless(PlayOptions());
    watching.handleMessage(windowMessage(MESSAGE_KEY_DOWN, VK_SPACE_KEY));
    now = 100.035;  // the first record came 0.04 s after the last tick
    watching.runIteration(game);
    EXPECT_TRUE(game.steps.empty());
    now = 100.04;
    watching.runIteration(game);
    ASSERT_EQ(game.steps.size(), 1u);
    EXPECT_FLOAT_EQ(game.steps[0].stepSeconds, 0.04f);
    EXPECT_TRUE(game.steps[0].kick.held);
    EXPECT_FALSE(game.steps[0].hike.pressed);

    watching.handleMessage(windowMessage(MESSAGE_KEY_DOWN, VK_P_KEY));
    now = 100.1;
    watching.runIteration(game);
    EXPECT_TRUE(game.heldForViewer);
    EXPECT_EQ(game.steps.size(), 1u);
    watching.handleMessage(windowMessage(MESSAGE_KEY_DOWN, VK_P_KEY));
    now = 100.2;
    watching.runIteration(game);
    EXPECT_FALSE(game.heldForViewer);
    EXPECT_EQ(game.steps.size(), 2u);

    game.soundsHeard = true;  // the last picture holds while its sound plays
    now = 101.0;
    EXPECT_TRUE(watching.runIteration(game));
    game.soundsHeard = false;
    EXPECT_FALSE(watching.runIteration(game));
    EXPECT_EQ(game.steps.size(), 2u);
}

TEST(FrameTickTest, LoopSleepsUntilTheTickIsDueAndNoLonger) {
    EXPECT_EQ(millisecondsUntilTick(100.0f, 100.0f), 30);
    EXPECT_EQ(millisecondsUntilTick(100.0f, 100.0205f), 10);  // rounded up, never early
    EXPECT_EQ(millisecondsUntilTick(100.0f, 100.045f), 0);
    // Whatever the loop counts as a tick is never slept through, and just before
    // one the loop still sleeps at least a millisecond instead of spinning.
    EXPECT_EQ(millisecondsUntilTick(0.0f, 0.03f), 0);
    EXPECT_EQ(millisecondsUntilTick(0.0f, std::nextafter(0.03f, 0.0f)), 1);
    // A clock that went back does not put the loop to sleep for longer than a tick.
    EXPECT_EQ(millisecondsUntilTick(100.0f, 90.0f), 30);
}
