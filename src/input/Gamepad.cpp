#include "input/Gamepad.h"

#include "platform/GamepadDevice.h"

bool Gamepad::open(std::uint32_t n) {
    id_ = n;
    byLayout_ = platformPadOpen(n);
    return byLayout_;
}

bool Gamepad::read(Joystick& raw, PadRoles& roles) {
    if (byLayout_) {
        PadLayoutReading reading;
        if (!platformPadRead(id_, reading)) {
            return false;  // unplugged: the keyboard and the mouse decide again
        }
        roles = padRolesFromLayout(reading);
        return true;
    }
    if (!raw.poll()) {
        return false;
    }
    roles = padRolesFromJoystick(raw);
    return true;
}
