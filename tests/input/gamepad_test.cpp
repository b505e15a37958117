#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/Gamepad.h"
#include "platform/GamepadDevice.h"
#include "platform/JoystickDevice.h"
#include "platform/VirtualPad.h"

namespace {

// The library's virtual pads stand in for real ones: one attached at a time, so
// it is device 0.
class GamepadTest : public ::testing::Test {
protected:
    void TearDown() override {
        platformPadCloseAll();
        platformJoystickCloseAll();
        platformDetachVirtualPad(device);
    }
    void attach(bool withLayout) {
        device = platformAttachVirtualPad(withLayout);
        ASSERT_NE(device, nullptr);
        raw.open(0);
    }
    PadRoles read() {
        PadRoles roles;
        EXPECT_TRUE(pad.read(raw, roles));
        return roles;
    }

    PlatformVirtualPad* device = nullptr;
    Joystick raw;
    Gamepad pad;
};

}  // namespace

TEST_F(GamepadTest, APadWithALayoutIsReadByIt) {
    attach(true);
    ASSERT_TRUE(pad.open(0));
    platformMoveVirtualPad(device, 0, -32768, 0);
    platformPressVirtualPad(device, VIRTUAL_PAD_BACK, true);
    PadRoles roles = read();
    EXPECT_FLOAT_EQ(roles.steerY, -1.0f);  // stick up: to the goal
    EXPECT_FALSE(roles.hike || roles.kick || roles.start);

    platformPressVirtualPad(device, VIRTUAL_PAD_A, true);
    platformPressVirtualPad(device, VIRTUAL_PAD_START, true);
    platformPressVirtualPad(device, VIRTUAL_PAD_DPAD_LEFT, true);
    roles = read();
    EXPECT_TRUE(roles.hike);
    EXPECT_TRUE(roles.start);
    EXPECT_FALSE(roles.kick);
    EXPECT_FLOAT_EQ(roles.steerX, -1.0f);

    platformPressVirtualPad(device, VIRTUAL_PAD_A, false);
    platformPressVirtualPad(device, VIRTUAL_PAD_B, true);
    EXPECT_TRUE(read().kick);
    platformPressVirtualPad(device, VIRTUAL_PAD_B, false);
    platformMoveVirtualPad(device, 0, 0, 32767);
    EXPECT_TRUE(read().kick);

    platformDetachVirtualPad(device);
    device = nullptr;
    PadRoles unplugged;
    EXPECT_FALSE(pad.read(raw, unplugged));
}

TEST_F(GamepadTest, APadNoMappingKnowsIsReadRawUntilOneIsAdded) {
    attach(false);
    ASSERT_FALSE(pad.open(0));
    platformMoveVirtualPad(device, 32767, -32768, 0);
    platformPressVirtualPadButton(device, 4, true);  // button 5
    PadRoles roles = read();
    EXPECT_TRUE(roles.hike);
    EXPECT_FALSE(roles.kick);
    EXPECT_FLOAT_EQ(roles.steerX, 1.0f);
    EXPECT_FLOAT_EQ(roles.steerY, 1.0f);  // the old mapping: minus the Y axis

    const std::string guid = platformVirtualPadGuid(device);
    const std::string text = "# the player's own pads\n\n" + guid +
                             ",Other system,a:b0,platform:Android,\r\n"
                             "not a mapping\n" +
                             guid + ",Raw pad,a:b1,b:b2,start:b3,leftx:a0,lefty:a1,\n";
    std::vector<int> refusedLines;
    EXPECT_EQ(platformAddPadMappings(text, [&](int line, const std::string&) { refusedLines.push_back(line); }), 1);
    EXPECT_EQ(refusedLines, std::vector<int>{4});
    ASSERT_TRUE(pad.open(0));
    platformPressVirtualPadButton(device, 3, true);
    roles = read();
    EXPECT_FALSE(roles.hike);  // raw button 5 is no part of its layout
    EXPECT_TRUE(roles.start);
    EXPECT_FLOAT_EQ(roles.steerY, -1.0f);
}
