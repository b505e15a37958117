#include <SDL.h>
#include <gtest/gtest.h>

#include "input/Joystick.h"
#include "platform/JoystickDevice.h"

namespace {

// Virtual joysticks stand in for real devices, which a test machine does not have.
class VirtualJoystickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        ASSERT_EQ(SDL_NumJoysticks(), 0) << "a real joystick is attached";
    }
    void TearDown() override {
        platformJoystickCloseAll();
        if (handle != nullptr) {
            SDL_JoystickClose(handle);
        }
        while (SDL_NumJoysticks() > 0) {
            SDL_JoystickDetachVirtual(0);
        }
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    // Attaches a device and keeps a handle to move its sticks and press its buttons.
    void attach(int axes, int buttons) {
        if (handle != nullptr) {
            SDL_JoystickClose(handle);
        }
        int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        handle = SDL_JoystickOpen(index);
        ASSERT_NE(handle, nullptr) << SDL_GetError();
    }
    void detach() {
        SDL_JoystickClose(handle);
        handle = nullptr;
        SDL_JoystickDetachVirtual(0);
        SDL_JoystickUpdate();
    }

    SDL_Joystick* handle = nullptr;
};

}  // namespace

TEST_F(VirtualJoystickTest, NoDeviceIsNoJoystick) {
    JoystickCaps caps;
    EXPECT_FALSE(platformJoystickOpen(0, caps));
    JoystickReading position;
    EXPECT_EQ(platformJoystickRead(0, position), PLATFORM_JOYSTICK_UNPLUGGED);
    Joystick joystick;
    EXPECT_FALSE(joystick.open(0));
    EXPECT_FALSE(joystick.present);
}

TEST_F(VirtualJoystickTest, AxesSpanTheWholeUnsignedRange) {
    attach(4, 8);
    JoystickCaps caps;
    ASSERT_TRUE(platformJoystickOpen(0, caps));
    EXPECT_EQ(caps.xMin, 0u);
    EXPECT_EQ(caps.xMax, 65535u);
    EXPECT_EQ(caps.yMax, 65535u);
    EXPECT_EQ(caps.rMax, 65535u);
    EXPECT_EQ(caps.uMax, 65535u);

    SDL_JoystickSetVirtualAxis(handle, 0, -32768);
    SDL_JoystickSetVirtualAxis(handle, 1, 32767);
    SDL_JoystickSetVirtualAxis(handle, 2, 0);
    SDL_JoystickSetVirtualAxis(handle, 3, -1);
    SDL_JoystickSetVirtualButton(handle, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(handle, 4, SDL_PRESSED);
    JoystickReading position;
    ASSERT_EQ(platformJoystickRead(0, position), PLATFORM_JOYSTICK_OK);
    EXPECT_EQ(position.xPos, 0u);
    EXPECT_EQ(position.yPos, 65535u);
    EXPECT_EQ(position.rPos, 32768u);
    EXPECT_EQ(position.uPos, 32767u);
    EXPECT_EQ(position.buttons, 0x11u);  // buttons 1 and 5
}

TEST_F(VirtualJoystickTest, ThreeAxesHaveNoSecondStick) {
    attach(3, 2);
    JoystickCaps caps;
    ASSERT_TRUE(platformJoystickOpen(0, caps));
    EXPECT_EQ(caps.yMax, 65535u);
    EXPECT_EQ(caps.rMin, caps.rMax);
    EXPECT_EQ(caps.uMin, caps.uMax);

    Joystick joystick;
    ASSERT_TRUE(joystick.open(0));
    EXPECT_FALSE(joystick.hasRU);
}

TEST_F(VirtualJoystickTest, OneAxisIsNoJoystick) {
    attach(1, 2);
    Joystick joystick;
    EXPECT_FALSE(joystick.open(0));
    EXPECT_FALSE(joystick.present);
}

TEST_F(VirtualJoystickTest, JoystickFollowsTheDeviceUntilUnplugged) {
    attach(4, 6);
    Joystick joystick;
    ASSERT_TRUE(joystick.open(0));
    EXPECT_TRUE(joystick.hasRU);

    SDL_JoystickSetVirtualAxis(handle, 0, 32767);
    SDL_JoystickSetVirtualAxis(handle, 1, -32768);
    SDL_JoystickSetVirtualButton(handle, 5, SDL_PRESSED);
    ASSERT_TRUE(joystick.poll());
    EXPECT_FLOAT_EQ(joystick.axes[0], 1.0f);
    EXPECT_FLOAT_EQ(joystick.axes[1], -1.0f);
    EXPECT_EQ(joystick.buttons, 0x20u);

    detach();
    EXPECT_FALSE(joystick.poll());
    EXPECT_FLOAT_EQ(joystick.axes[0], 1.0f);  // the last read stays
    EXPECT_EQ(joystick.buttons, 0x20u);

    // Plugged in again: opening device 0 takes the new device.
    attach(2, 6);
    SDL_JoystickSetVirtualAxis(handle, 0, -32768);
    ASSERT_TRUE(joystick.open(0));
    ASSERT_TRUE(joystick.poll());
    EXPECT_FLOAT_EQ(joystick.axes[0], -1.0f);
    EXPECT_EQ(joystick.buttons, 0u);
    EXPECT_FALSE(joystick.hasRU);
}
