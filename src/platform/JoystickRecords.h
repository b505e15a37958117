#pragma once

#include <cstdint>

// Axis ranges of a device, in the platform-neutral units the formulas expect
// (0 ... 65535 for a full-range axis).
struct JoystickCaps {
    std::uint32_t xMin = 0, xMax = 0;
    std::uint32_t yMin = 0, yMax = 0;
    std::uint32_t rMin = 0, rMax = 0;
    std::uint32_t uMin = 0, uMax = 0;
};

// One position read: axis positions in the caps' units, and the button bits
// (bit 0 is button 1).
struct JoystickReading {
    std::uint32_t xPos = 0, yPos = 0, rPos = 0, uPos = 0;
    std::uint32_t buttons = 0;
};
