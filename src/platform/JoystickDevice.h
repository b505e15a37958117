#pragma once

#include <cstdint>

// Joysticks by device number, with axis positions on the 0 ... 65535 scale of the
// Windows joystick service (so the game's formulas stay the same on every
// platform). An axis the device lacks has an empty range (minimum = maximum).
struct PlatformJoystickCaps {
    std::uint32_t xMin = 0, xMax = 0;
    std::uint32_t yMin = 0, yMax = 0;
    std::uint32_t rMin = 0, rMax = 0;
    std::uint32_t uMin = 0, uMax = 0;
};

struct PlatformJoystickPosition {
    std::uint32_t xPos = 0, yPos = 0, rPos = 0, uPos = 0;
    std::uint32_t buttons = 0;  // bit 0 is button 1
};

enum PlatformJoystickResult {
    PLATFORM_JOYSTICK_OK = 0,
    PLATFORM_JOYSTICK_UNPLUGGED,
};

// Opens device n (the n-th joystick attached now; one already open and still
// attached is kept) and reads its axis ranges. False when there is no such device.
bool platformJoystickOpen(std::uint32_t n, PlatformJoystickCaps& caps);
// The current position of device n as opened last.
PlatformJoystickResult platformJoystickRead(std::uint32_t n, PlatformJoystickPosition& position);
// Closes every device opened here.
void platformJoystickCloseAll();
