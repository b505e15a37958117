#include <gtest/gtest.h>

#include <string>

#include "input/Gamepad.h"
#include "platform/GamepadDevice.h"
#include "platform/JoystickDevice.h"
#include "support/VirtualPad.h"

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
    platformPressVirtualPad(device, VIRTUAL_PAD_BACK, true);  // held throughout: it has no role
    const struct {
        VirtualPadControl control;
        bool PadRoles::*role;
    } buttons[] = {{VIRTUAL_PAD_A, &PadRoles::hike}, {VIRTUAL_PAD_B, &PadRoles::kick},
                   {VIRTUAL_PAD_START, &PadRoles::start}};
    for (const auto& button : buttons) {
        platformPressVirtualPad(device, button.control, true);
        const PadRoles roles = read();
        EXPECT_TRUE(roles.*button.role) << button.control;
        EXPECT_EQ(roles.hike + roles.kick + roles.start, 1) << button.control;
        platformPressVirtualPad(device, button.control, false);
    }
    platformMoveVirtualPad(device, 0, -32768, 32767);
    platformPressVirtualPad(device, VIRTUAL_PAD_DPAD_LEFT, true);
    PadRoles roles = read();
    EXPECT_FLOAT_EQ(roles.steerY, -1.0f);  // stick up: to the goal
    EXPECT_FLOAT_EQ(roles.steerX, -1.0f);
    EXPECT_TRUE(roles.kick);  // the trigger

    platformDetachVirtualPad(device);
    device = nullptr;
    EXPECT_FALSE(pad.read(raw, roles));
}

// Read raw, X and Y are the stick and button 6 kicks (button 5's hike: EnginePumpTest).
TEST_F(GamepadTest, APadNoMappingKnowsIsReadRawUntilOneIsAdded) {
    attach(false);
    ASSERT_FALSE(pad.open(0));
    platformMoveVirtualPad(device, 32767, -32768, 0);
    platformPressVirtualPadButton(device, 5, true);
    PadRoles roles = read();
    EXPECT_TRUE(roles.kick && !roles.hike);
    EXPECT_FLOAT_EQ(roles.steerX, 1.0f);
    EXPECT_FLOAT_EQ(roles.steerY, 1.0f);  // the old mapping: minus the Y axis

    // A mapping the library refuses costs only itself.
    std::string reason;
    EXPECT_FALSE(platformAddPadMapping("not a mapping", reason));
    EXPECT_FALSE(reason.empty());
    const std::string guid = platformVirtualPadGuid(device);
    ASSERT_TRUE(platformAddPadMapping(guid + ",Raw pad,a:b1,b:b2,start:b3,leftx:a0,lefty:a1,", reason)) << reason;
    ASSERT_TRUE(pad.open(0));
    platformPressVirtualPadButton(device, 3, true);
    roles = read();
    EXPECT_FALSE(roles.kick);  // raw button 6 is no part of its layout
    EXPECT_TRUE(roles.start);
    EXPECT_FLOAT_EQ(roles.steerY, -1.0f);
}
