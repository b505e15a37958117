#pragma once

#include <cstdint>

#include "platform/JoystickRecords.h"

// Joysticks by device number, with axis positions on the 0 ... 65535 scale of the
// Windows joystick service (so the game's formulas stay the same on every
// platform). An axis the device lacks has an empty range (minimum = maximum).
// The ranges and positions come in the engine's own records.
enum PlatformJoystickResult {
    PLATFORM_JOYSTICK_OK = 0,
    PLATFORM_JOYSTICK_UNPLUGGED,
};

// Opens device n (the n-th joystick attached now; one already open and still
// attached is kept) and reads its axis ranges. False when there is no such device.
bool platformJoystickOpen(std::uint32_t n, JoystickCaps& caps);
// The current position of device n as opened last.
PlatformJoystickResult platformJoystickRead(std::uint32_t n, JoystickReading& position);
// Closes every device opened here.
void platformJoystickCloseAll();
