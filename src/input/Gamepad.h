#pragma once

#include <cstdint>

#include "input/Joystick.h"
#include "input/PadRoles.h"

// The player's pad: device n read by its layout when a mapping knows it, else
// raw through the Joystick the engine keeps, exactly as before pads had layouts.
class Gamepad {
public:
    // Looks at device n again (at start and whenever a device is plugged in).
    // True when it is read by its layout.
    bool open(std::uint32_t n);
    // One read in the game's roles; false when no pad answers (none opened,
    // unplugged, or a raw joystick that does not read).
    bool read(Joystick& raw, PadRoles& roles);
    bool byLayout() const { return byLayout_; }

private:
    std::uint32_t id_ = 0;
    bool byLayout_ = false;
};
