#include <gtest/gtest.h>

#include <cstring>

#include "app/Engine.h"
#include "input/Joystick.h"
#include "support/TestSeams.h"
#include "support/WindowMessages.h"

namespace {

// A running engine without a window, as if its window had got 640 x 480.
class EngineInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.running = true;
        engine.adoptWindowSize(640, 480);
    }
    void move(int x, int y) { engine.handleMessage(windowMessage(MESSAGE_MOUSE_MOVE, 0, x, y)); }

    Engine engine;
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

TEST_F(EngineInputTest, KeysSetAndClearTheirFlags) {
    engine.handleMessage(windowMessage(MESSAGE_KEY_DOWN, VK_SPACE_KEY));
    engine.handleMessage(windowMessage(MESSAGE_KEY_DOWN, 0xFF));
    EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], 1);
    EXPECT_EQ(engine.keyDown[0xFF], 1);
    engine.handleMessage(windowMessage(MESSAGE_KEY_UP, VK_SPACE_KEY));
    EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], 0);
    EXPECT_EQ(engine.keyDown[0xFF], 1);
    EXPECT_TRUE(engine.running);
}

TEST_F(EngineInputTest, CodesOutsideTheTableChangeNothing) {
    std::uint8_t before[256];
    std::memcpy(before, engine.keyDown, sizeof before);
    engine.handleMessage(windowMessage(MESSAGE_KEY_DOWN, 256));
    engine.handleMessage(windowMessage(MESSAGE_KEY_DOWN, 256 + VK_SPACE_KEY));
    engine.handleMessage(windowMessage(MESSAGE_KEY_DOWN, 256 + VK_Q_KEY));
    engine.handleMessage(windowMessage(MESSAGE_KEY_UP, 0xFFFFFFFFu));
    EXPECT_EQ(std::memcmp(before, engine.keyDown, sizeof before), 0);
    EXPECT_TRUE(engine.running);
}

TEST_F(EngineInputTest, QAndEscapeStopEvenWhilePaused) {
    for (std::uint32_t stopKey : {VK_Q_KEY, VK_ESCAPE_KEY}) {
        engine.running = true;
        engine.paused = true;
        engine.keyDown[stopKey] = 0;
        engine.handleMessage(windowMessage(MESSAGE_KEY_DOWN, stopKey));
        EXPECT_FALSE(engine.running) << stopKey;
        EXPECT_EQ(engine.keyDown[stopKey], 1) << stopKey;
        EXPECT_EQ(engine.hglrc, nullptr);
        EXPECT_EQ(engine.hwnd, nullptr);
    }
    // Releasing them does not start anything again.
    engine.handleMessage(windowMessage(MESSAGE_KEY_UP, VK_Q_KEY));
    EXPECT_FALSE(engine.running);
}

TEST_F(EngineInputTest, ClosingTheWindowStopsWithoutAKey) {
    engine.handleMessage(windowMessage(MESSAGE_CLOSE));
    EXPECT_FALSE(engine.running);
    for (int key = 0; key < 256; ++key) {
        EXPECT_EQ(engine.keyDown[key], 0) << key;
    }
}

TEST_F(EngineInputTest, PointerEdgesAndCentre) {
    move(0, 0);
    EXPECT_FLOAT_EQ(engine.stickX, -1.0f);
    EXPECT_FLOAT_EQ(engine.stickY, -1.0f);
    move(320, 240);
    EXPECT_FLOAT_EQ(engine.stickX, 0.0f);
    EXPECT_FLOAT_EQ(engine.stickY, 0.0f);
    move(640, 480);
    EXPECT_FLOAT_EQ(engine.stickX, 1.0f);
    EXPECT_FLOAT_EQ(engine.stickY, 1.0f);
    move(639, 0);
    EXPECT_FLOAT_EQ(engine.stickX, 2.0f * 639 / 640 - 1.0f);

    engine.adoptWindowSize(1024, 800);
    move(256, 600);
    EXPECT_FLOAT_EQ(engine.stickX, -0.5f);
    EXPECT_FLOAT_EQ(engine.stickY, 0.5f);
}

TEST_F(EngineInputTest, PointerMapsTheSizeTheWindowGotNotTheOneAskedFor) {
    // The options ask for 640 x 480, the display gave 1280 x 1024: the pointer
    // arrives in the drawable's pixels, so its middle is the stick's centre.
    engine.options.width = 640;
    engine.options.height = 480;
    engine.drawableWidth = 1280;
    engine.drawableHeight = 1024;
    move(640, 512);
    EXPECT_FLOAT_EQ(engine.stickX, 0.0f);
    EXPECT_FLOAT_EQ(engine.stickY, 0.0f);

    // game.ini keeps the resolution the player chose, whatever the window got.
    engine.adoptWindowSize(1280, 1024);
    EXPECT_EQ(engine.options.width, 640);
    EXPECT_EQ(engine.options.height, 480);
}

TEST_F(EngineInputTest, PointerWithoutAWindowLeavesTheStick) {
    Engine windowless;
    windowless.stickX = 0.25f;
    windowless.handleMessage(windowMessage(MESSAGE_MOUSE_MOVE, 0, 10, 10));
    EXPECT_EQ(windowless.stickX, 0.25f);
}

TEST_F(EngineInputTest, MouseButtonsStandInForSpaceAndControl) {
    engine.handleMessage(windowMessage(MESSAGE_LEFT_BUTTON_DOWN));
    EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], 1);
    EXPECT_EQ(engine.keyDown[VK_CONTROL_KEY], 0);
    engine.handleMessage(windowMessage(MESSAGE_RIGHT_BUTTON_DOWN));
    EXPECT_EQ(engine.keyDown[VK_CONTROL_KEY], 1);
    engine.handleMessage(windowMessage(MESSAGE_LEFT_BUTTON_UP));
    EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], 0);
    EXPECT_EQ(engine.keyDown[VK_CONTROL_KEY], 1);
    engine.handleMessage(windowMessage(MESSAGE_RIGHT_BUTTON_UP));
    EXPECT_EQ(engine.keyDown[VK_CONTROL_KEY], 0);
}

TEST_F(EngineInputTest, AJoystickPluggedInIsOpenedOnlyWithTheOption) {
    CountingJoystickSource device;
    JoystickOverride deviceInUse(&device);

    engine.options.joystick = 0;
    engine.handleMessage(windowMessage(MESSAGE_JOYSTICK_ADDED));
    EXPECT_EQ(device.opens, 0);
    EXPECT_FALSE(engine.joystick.present);

    engine.options.joystick = 1;
    engine.handleMessage(windowMessage(MESSAGE_JOYSTICK_ADDED));
    EXPECT_EQ(device.opens, 1);
    EXPECT_TRUE(engine.joystick.present);
    EXPECT_EQ(engine.joystick.id, 0u);
}

TEST_F(EngineInputTest, WhileTheGameWaitsOnlyTheWindowAndTheStopKeysAnswer) {
    // Presses meant for play are dropped: none may hike or kick after the wait.
    for (std::uint32_t key : {VK_SPACE_KEY, VK_CONTROL_KEY, VK_P_KEY}) {
        engine.handleMessageWhileWaiting(windowMessage(MESSAGE_KEY_DOWN, key));
        EXPECT_EQ(engine.keyDown[key], 0) << key;
    }
    engine.handleMessageWhileWaiting(windowMessage(MESSAGE_LEFT_BUTTON_DOWN));
    engine.handleMessageWhileWaiting(windowMessage(MESSAGE_RIGHT_BUTTON_DOWN));
    EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], 0);
    EXPECT_EQ(engine.keyDown[VK_CONTROL_KEY], 0);
    // Releases still count, so no key stays held by mistake.
    engine.keyDown[VK_SPACE_KEY] = 1;
    engine.handleMessageWhileWaiting(windowMessage(MESSAGE_LEFT_BUTTON_UP));
    EXPECT_EQ(engine.keyDown[VK_SPACE_KEY], 0);
    // An uncovered window asks for its picture again.
    EXPECT_FALSE(engine.repaintDue);
    engine.handleMessageWhileWaiting(windowMessage(MESSAGE_EXPOSED));
    EXPECT_TRUE(engine.repaintDue);
    EXPECT_TRUE(engine.running);

    engine.handleMessageWhileWaiting(windowMessage(MESSAGE_CLOSE));
    EXPECT_FALSE(engine.running);
    for (std::uint32_t stopKey : {VK_Q_KEY, VK_ESCAPE_KEY}) {
        engine.running = true;
        engine.handleMessageWhileWaiting(windowMessage(MESSAGE_KEY_DOWN, stopKey));
        EXPECT_FALSE(engine.running) << stopKey;
    }
    EXPECT_FALSE(engine.pumpMessagesWhileWaiting(0)) << "a stopped run ends the wait";
}
