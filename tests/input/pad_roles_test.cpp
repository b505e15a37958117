#include <gtest/gtest.h>

#include "input/PadRoles.h"

namespace {

struct LayoutCase {
    const char* what;
    PadLayoutReading reading;
    float steerX;
    float steerY;
    bool hike;
    bool kick;
    bool start;
};

PadLayoutReading stick(int x, int y) {
    PadLayoutReading reading;
    reading.leftX = x;
    reading.leftY = y;
    return reading;
}

PadLayoutReading with(PadLayoutReading reading, bool PadLayoutReading::*control) {
    reading.*control = true;
    return reading;
}

PadLayoutReading trigger(int pulled) {
    PadLayoutReading reading;
    reading.rightTrigger = pulled;
    return reading;
}

}  // namespace

// What the virtual pads cannot show cheaply: the dead zone, the D-pad over the
// stick, the trigger's threshold.
TEST(PadRolesTest, LayoutFeedsTheGamesRoles) {
    const float half = (16384.0f / 32767.0f - 7849.0f / 32767.0f) / (1.0f - 7849.0f / 32767.0f);
    const LayoutCase cases[] = {
        {"at rest", PadLayoutReading(), 0, 0, false, false, false},
        {"a worn stick's drift", stick(7849, -7000), 0, 0, false, false, false},
        {"up and left to the edge", stick(-32768, -32768), -1, -1, false, false, false},
        {"half right, half down", stick(16384, 16384), half, half, false, false, false},
        {"D-pad up over the stick", with(stick(0, 30000), &PadLayoutReading::dpadUp), 0, -1, false, false, false},
        {"D-pad both ways", with(with(stick(20000, 0), &PadLayoutReading::dpadLeft), &PadLayoutReading::dpadRight),
         0, 0, false, false, false},
        {"a trigger just pulled kicks", trigger(30 * 32767 / 255), 0, 0, false, true, false},
        {"a trigger resting on a finger", trigger(30 * 32767 / 255 - 1), 0, 0, false, false, false},
    };
    for (const LayoutCase& c : cases) {
        const PadRoles roles = padRolesFromLayout(c.reading);
        EXPECT_FLOAT_EQ(roles.steerX, c.steerX) << c.what;
        EXPECT_FLOAT_EQ(roles.steerY, c.steerY) << c.what;
        // Steering as the pointer does: the stick value is the same.
        EXPECT_EQ(roles.stickX, roles.steerX) << c.what;
        EXPECT_EQ(roles.stickY, roles.steerY) << c.what;
        EXPECT_EQ(roles.hike, c.hike) << c.what;
        EXPECT_EQ(roles.kick, c.kick) << c.what;
        EXPECT_EQ(roles.start, c.start) << c.what;
    }
}
