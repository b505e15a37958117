#include <gtest/gtest.h>

#include <initializer_list>

#include "input/PadRoles.h"

namespace {

PadLayoutReading reading(int x, int y, int trigger = 0, std::initializer_list<bool PadLayoutReading::*> pressed = {}) {
    PadLayoutReading reading;
    reading.leftX = x;
    reading.leftY = y;
    reading.rightTrigger = trigger;
    for (bool PadLayoutReading::*control : pressed) {
        reading.*control = true;
    }
    return reading;
}

}  // namespace

// What the virtual pads cannot show cheaply: the dead zone, the D-pad over the
// stick, the trigger's threshold.
TEST(PadRolesTest, LayoutFeedsTheGamesRoles) {
    const float half = (16384.0f / 32767.0f - 7849.0f / 32767.0f) / (1.0f - 7849.0f / 32767.0f);
    const int pulled = 30 * 32767 / 255;
    const struct {
        const char* what;
        PadLayoutReading reading;
        float steerX;
        float steerY;
        bool kick;
    } cases[] = {
        {"a worn stick's drift", reading(7849, -7000), 0, 0, false},
        {"up and left to the edge", reading(-32768, -32768), -1, -1, false},
        {"half right, half down", reading(16384, 16384), half, half, false},
        {"D-pad up over the stick", reading(0, 30000, 0, {&PadLayoutReading::dpadUp}), 0, -1, false},
        {"D-pad both ways", reading(20000, 0, 0, {&PadLayoutReading::dpadLeft, &PadLayoutReading::dpadRight}), 0, 0,
         false},
        {"a trigger just pulled kicks", reading(0, 0, pulled), 0, 0, true},
        {"a trigger resting on a finger", reading(0, 0, pulled - 1), 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PadRoles roles = padRolesFromLayout(c.reading);
        EXPECT_FLOAT_EQ(roles.steerX, c.steerX);
        EXPECT_FLOAT_EQ(roles.steerY, c.steerY);
        // Steering as the pointer does: the stick value is the same.
        EXPECT_EQ(roles.stickX, roles.steerX);
        EXPECT_EQ(roles.stickY, roles.steerY);
        EXPECT_EQ(roles.kick, c.kick);
    }
}
