#include <gtest/gtest.h>

#include "input/Joystick.h"
#include "support/TestSeams.h"

namespace {

// A device whose ranges, positions and plug state the test sets.
class FakeJoystickSource : public JoystickSource {
public:
    bool attached = true;
    bool plugged = true;
    JoystickCaps caps;
    JoystickReading reading;
    int capsReads = 0;
    int positionReads = 0;

    bool readCaps(std::uint32_t, JoystickCaps& out) override {
        ++capsReads;
        out = caps;
        return attached;
    }
    bool readPosition(std::uint32_t, JoystickReading& out) override {
        ++positionReads;
        if (!plugged) {
            return false;
        }
        out = reading;
        return true;
    }
};

class JoystickTest : public ::testing::Test {
protected:
    void SetUp() override { device.caps = JoystickCaps{0, 65535, 0, 65535, 0, 65535, 0, 65535}; }

    FakeJoystickSource device;
    JoystickOverride deviceInUse{&device};
    Joystick joystick;
};

}  // namespace

TEST_F(JoystickTest, NothingReportsBeforeOpen) {
    EXPECT_FALSE(joystick.present);
    EXPECT_FALSE(joystick.poll());
    EXPECT_EQ(device.positionReads, 0);
}

TEST_F(JoystickTest, AbsentOrRangelessDevicesAreNotPresent) {
    device.attached = false;
    EXPECT_FALSE(joystick.open(0));
    EXPECT_FALSE(joystick.present);

    device.attached = true;
    device.caps.xMax = device.caps.xMin;
    EXPECT_FALSE(joystick.open(0));
    EXPECT_FALSE(joystick.present);
    EXPECT_FALSE(joystick.poll());

    device.caps.xMax = 65535;
    device.caps.yMin = 7;
    device.caps.yMax = 7;
    EXPECT_FALSE(joystick.open(0));
    EXPECT_FALSE(joystick.present);

    // A device that unplugs between its ranges and its first position read.
    device.caps.yMin = 0;
    device.caps.yMax = 65535;
    device.plugged = false;
    EXPECT_FALSE(joystick.open(3));
    EXPECT_FALSE(joystick.present);
    EXPECT_EQ(joystick.id, 3u);
}

TEST_F(JoystickTest, PositionsMapOntoTheUnitRange) {
    device.caps = JoystickCaps{100, 300, 1000, 3000, 0, 10, 50, 60};
    ASSERT_TRUE(joystick.open(0));
    EXPECT_TRUE(joystick.hasRU);

    device.reading = JoystickReading{100, 3000, 5, 55, 0x30};
    ASSERT_TRUE(joystick.poll());
    EXPECT_FLOAT_EQ(joystick.axes[0], -1.0f);
    EXPECT_FLOAT_EQ(joystick.axes[1], 1.0f);
    EXPECT_FLOAT_EQ(joystick.axes[2], 0.0f);
    EXPECT_FLOAT_EQ(joystick.axes[3], 0.0f);
    EXPECT_EQ(joystick.buttons, 0x30u);

    device.reading = JoystickReading{250, 1500, 10, 50, 0};
    ASSERT_TRUE(joystick.poll());
    EXPECT_FLOAT_EQ(joystick.axes[0], 0.5f);
    EXPECT_FLOAT_EQ(joystick.axes[1], -0.5f);
    EXPECT_FLOAT_EQ(joystick.axes[2], 1.0f);
    EXPECT_FLOAT_EQ(joystick.axes[3], -1.0f);
    EXPECT_EQ(joystick.buttons, 0u);

    // The full 16-bit range: its midpoint lies half a step right of centre.
    device.caps = JoystickCaps{0, 65535, 0, 65535, 0, 65535, 0, 65535};
    ASSERT_TRUE(joystick.open(0));
    device.reading = JoystickReading{32768, 0, 0, 0, 0};
    ASSERT_TRUE(joystick.poll());
    EXPECT_FLOAT_EQ(joystick.axes[0], static_cast<float>(2.0 * 32768 / 65535 - 1.0));
}

TEST_F(JoystickTest, WithoutASecondStickItsAxesStayZero) {
    joystick.axes[2] = 0.7f;
    joystick.axes[3] = -0.7f;
    device.caps.uMax = device.caps.uMin;
    ASSERT_TRUE(joystick.open(0));
    EXPECT_FALSE(joystick.hasRU);
    EXPECT_EQ(joystick.axes[2], 0.0f);
    EXPECT_EQ(joystick.axes[3], 0.0f);

    device.reading = JoystickReading{0, 0, 65535, 65535, 1};
    ASSERT_TRUE(joystick.poll());
    EXPECT_EQ(joystick.axes[2], 0.0f);
    EXPECT_EQ(joystick.axes[3], 0.0f);
}

TEST_F(JoystickTest, AnUnpluggedDeviceKeepsItsLastValues) {
    ASSERT_TRUE(joystick.open(0));
    device.reading = JoystickReading{65535, 0, 0, 0, 0x10};
    ASSERT_TRUE(joystick.poll());

    device.plugged = false;
    device.reading = JoystickReading{0, 65535, 0, 0, 0};
    EXPECT_FALSE(joystick.poll());
    EXPECT_FALSE(joystick.poll());
    EXPECT_FLOAT_EQ(joystick.axes[0], 1.0f);
    EXPECT_FLOAT_EQ(joystick.axes[1], -1.0f);
    EXPECT_EQ(joystick.buttons, 0x10u);

    device.plugged = true;  // back again: reads go on
    EXPECT_TRUE(joystick.poll());
    EXPECT_FLOAT_EQ(joystick.axes[0], -1.0f);
}
