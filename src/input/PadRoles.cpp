#include "input/PadRoles.h"

namespace {

constexpr float AXIS_SCALE = 32767.0f;
// The rest positions a worn stick drifts within, and the pull on a trigger that
// counts as pressed: the values Microsoft's XInput recommends for the left
// thumb stick and the triggers (7849 of 32767, and 30 of 255).
constexpr float STICK_DEAD_ZONE = 7849.0f / AXIS_SCALE;
constexpr int TRIGGER_PRESSED = 30 * 32767 / 255;

// A stick axis in [-1, 1]: 0 inside the dead zone, then rising evenly to full
// deflection at the stick's edge.
float stickAxis(int raw) {
    float value = static_cast<float>(raw) / AXIS_SCALE;
    if (value > 1.0f) {
        value = 1.0f;
    } else if (value < -1.0f) {
        value = -1.0f;
    }
    const float beyond = (value < 0.0f ? -value : value) - STICK_DEAD_ZONE;
    if (beyond <= 0.0f) {
        return 0.0f;
    }
    const float scaled = beyond / (1.0f - STICK_DEAD_ZONE);
    return value < 0.0f ? -scaled : scaled;
}

// The D-pad on one axis overrides the stick: either way at full deflection,
// both ways at once cancel.
float withDpad(float stick, bool towardsMinus, bool towardsPlus) {
    if (towardsMinus == towardsPlus) {
        return towardsMinus ? 0.0f : stick;
    }
    return towardsMinus ? -1.0f : 1.0f;
}

}  // namespace

PadRoles padRolesFromLayout(const PadLayoutReading& reading) {
    PadRoles roles;
    roles.steerX = withDpad(stickAxis(reading.leftX), reading.dpadLeft, reading.dpadRight);
    roles.steerY = withDpad(stickAxis(reading.leftY), reading.dpadUp, reading.dpadDown);
    roles.stickX = roles.steerX;
    roles.stickY = roles.steerY;
    roles.hike = reading.a;
    roles.kick = reading.b || reading.rightTrigger >= TRIGGER_PRESSED;
    roles.start = reading.start;
    return roles;
}

PadRoles padRolesFromJoystick(const Joystick& joystick) {
    PadRoles roles;
    roles.stickX = joystick.axes[0];
    roles.stickY = joystick.axes[1];
    roles.steerX = joystick.axes[0];
    roles.steerY = -joystick.axes[1];
    roles.hike = (joystick.buttons & JOYSTICK_HIKE_BUTTON) != 0;
    roles.kick = (joystick.buttons & JOYSTICK_KICK_BUTTON) != 0;
    return roles;
}
