#include <gtest/gtest.h>

#include <vector>

#include "input/Controls.h"
#include "platform/GamepadDevice.h"
#include "platform/JoystickDevice.h"
#include "support/VirtualPad.h"
#include "support/WindowMessages.h"

namespace {

class ControlsTest : public ::testing::Test {
protected:
    Controls controls;
    double now = 10.0;

    void SetUp() override { controls.setDrawableSize(640, 480); }
    void send(MessageKind kind, std::uint32_t key = 0, int x = 0, int y = 0) {
        controls.handle(windowMessage(kind, key, x, y), now);
    }
    TickInput tick() { return controls.takeTick(0.03f, false); }
};

struct ButtonCase {
    const char* name;
    std::vector<WindowMessage> between;  // what came between the two ticks
    ButtonTick hike;                     // at the next tick
    ButtonTick kick;
    ButtonTick hikeAfter;                // at the tick after, with nothing new
};

}  // namespace

TEST_F(ControlsTest, PressesBetweenTicksAreLatchedAndHoldsCountOnce) {
    const std::vector<ButtonCase> cases = {
        {"tap shorter than a tick",
         {windowMessage(MESSAGE_KEY_DOWN, VK_SPACE_KEY), windowMessage(MESSAGE_KEY_UP, VK_SPACE_KEY)},
         {false, true}, {}, {}},
        {"hold", {windowMessage(MESSAGE_KEY_DOWN, VK_SPACE_KEY)}, {true, true}, {}, {true, false}},
        {"a held key's repeats are no new press",
         {windowMessage(MESSAGE_KEY_DOWN, VK_SPACE_KEY), windowMessage(MESSAGE_KEY_DOWN, VK_SPACE_KEY)},
         {true, true}, {}, {true, false}},
        {"mouse buttons stand in for Space and Control",
         {windowMessage(MESSAGE_LEFT_BUTTON_DOWN), windowMessage(MESSAGE_RIGHT_BUTTON_DOWN),
          windowMessage(MESSAGE_RIGHT_BUTTON_UP)},
         {true, true}, {false, true}, {true, false}},
        {"a key joining a held button is no second press",
         {windowMessage(MESSAGE_KEY_DOWN, VK_CONTROL_KEY), windowMessage(MESSAGE_KEY_UP, VK_CONTROL_KEY),
          windowMessage(MESSAGE_LEFT_BUTTON_DOWN), windowMessage(MESSAGE_KEY_DOWN, VK_SPACE_KEY),
          windowMessage(MESSAGE_LEFT_BUTTON_UP)},
         {true, true}, {false, true}, {true, false}},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.name);
        Controls fresh;
        for (const WindowMessage& message : c.between) {
            fresh.handle(message, now);
        }
        const TickInput first = fresh.takeTick(0.03f, false);
        const TickInput second = fresh.takeTick(0.03f, false);
        EXPECT_EQ(first.hike.held, c.hike.held);
        EXPECT_EQ(first.hike.pressed, c.hike.pressed);
        EXPECT_EQ(first.kick.held, c.kick.held);
        EXPECT_EQ(first.kick.pressed, c.kick.pressed);
        EXPECT_EQ(second.hike.held, c.hikeAfter.held);
        EXPECT_EQ(second.hike.pressed, c.hikeAfter.pressed);
        EXPECT_EQ(fresh.ticksTaken(), 2);
    }
}

// The drawable area maps onto [-1, 1]: left and top -1, right and bottom +1. A
// steering key held leads the pointer; up with left is the top-left corner.
TEST_F(ControlsTest, SteeringKeysLeadThePointer) {
    send(MESSAGE_MOUSE_MOVE, 0, 160, 360);
    TickInput input = tick();
    EXPECT_FLOAT_EQ(input.steerX, -0.5f);
    EXPECT_FLOAT_EQ(input.steerY, 0.5f);
    struct KeysCase {
        std::vector<std::uint32_t> held;
        float x, y;
    };
    for (const KeysCase& c : std::vector<KeysCase>{{{VK_UP_KEY}, 0.0f, -1.0f},
                                                   {{VK_UP_KEY, VK_LEFT_KEY}, -1.0f, -1.0f},
                                                   {{VK_UP_KEY, VK_RIGHT_KEY}, 1.0f, -1.0f},
                                                   {{VK_LEFT_KEY, VK_RIGHT_KEY}, 0.0f, 0.0f},
                                                   {{VK_DOWN_KEY}, 0.0f, 1.0f}}) {
        for (std::uint32_t key : c.held) send(MESSAGE_KEY_DOWN, key);
        input = tick();
        EXPECT_FLOAT_EQ(input.steerX, c.x) << c.held.size();
        EXPECT_FLOAT_EQ(input.steerY, c.y) << c.held.size();
        for (std::uint32_t key : c.held) send(MESSAGE_KEY_UP, key);
    }
    input = tick();  // let go: the pointer steers again
    EXPECT_FLOAT_EQ(input.steerX, -0.5f);
    EXPECT_FLOAT_EQ(input.steerY, 0.5f);
}

TEST_F(ControlsTest, PauseAndFocusLossAreTakenOnceEach) {
    send(MESSAGE_KEY_DOWN, VK_P_KEY);
    send(MESSAGE_FOCUS_LOST);
    send(MESSAGE_FOCUS_GAINED);
    TickInput input = tick();
    EXPECT_TRUE(input.pausePressed);
    EXPECT_TRUE(input.focusLost);  // back already, but it went
    input = tick();
    EXPECT_FALSE(input.pausePressed);
    EXPECT_FALSE(input.focusLost);
    send(MESSAGE_KEY_DOWN, VK_P_KEY);  // a held P's repeat asks again
    EXPECT_TRUE(tick().pausePressed);

    // What came before play began is forgotten.
    send(MESSAGE_FOCUS_LOST);
    send(MESSAGE_KEY_DOWN, VK_SPACE_KEY);
    controls.discardPending();
    input = tick();
    EXPECT_FALSE(input.focusLost);
    EXPECT_FALSE(input.hike.pressed);
    EXPECT_TRUE(input.hike.held);
}

// A click with the focus gave it; one a moment later (the window manager kept
// the focusing click to itself) is the player's.
TEST_F(ControlsTest, TheClickThatBringsTheFocusBackDoesNotHike) {
    for (const auto& [delay, hikes] : {std::pair{0.0, false}, std::pair{0.5, true}}) {
        send(MESSAGE_FOCUS_LOST);
        send(MESSAGE_FOCUS_GAINED);
        now += delay;
        send(MESSAGE_LEFT_BUTTON_DOWN);
        EXPECT_EQ(tick().hike.pressed, hikes) << delay;
        send(MESSAGE_LEFT_BUTTON_UP);
    }
}

// Start is P, once per press; A hikes; the stick steers unless a key leads.
TEST_F(ControlsTest, APadByLayoutIsReadOnceATick) {
    PlatformVirtualPad* device = platformAttachVirtualPad(true);
    ASSERT_NE(device, nullptr);
    controls.openPad();

    platformPressVirtualPad(device, VIRTUAL_PAD_START, true);
    EXPECT_TRUE(tick().pausePressed);
    EXPECT_FALSE(tick().pausePressed);  // held, it asks once
    platformPressVirtualPad(device, VIRTUAL_PAD_START, false);
    platformPressVirtualPad(device, VIRTUAL_PAD_A, true);
    TickInput input = tick();
    EXPECT_TRUE(input.hike.pressed);
    EXPECT_TRUE(input.hike.held);

    platformPadCloseAll();
    platformJoystickCloseAll();
    platformDetachVirtualPad(device);
}
