#pragma once

#include "input/Joystick.h"
#include "platform/GamepadDevice.h"

// One read of the player's pad in the game's roles, whichever way the pad is
// read: by its layout, or raw by button number.
struct PadRoles {
    // Where the pad puts the stick value the pointer otherwise sets (Engine::stickX,
    // stickY), and the steering the game takes from the pad (Game::steerX, steerY).
    float stickX = 0.0f;
    float stickY = 0.0f;
    float steerX = 0.0f;
    float steerY = 0.0f;
    bool hike = false;
    bool kick = false;
    bool start = false;  // pauses and resumes, as P does
};

// A pad by layout: the left stick steers as the pointer does (up runs to the
// goal, right steers right), the D-pad at full deflection over it; A hikes, B or
// the right trigger kicks, Start pauses. Back does nothing.
PadRoles padRolesFromLayout(const PadLayoutReading& reading);

// A raw joystick keeps its button numbers and the old mapping: X and Y as the
// stick, steering X and minus Y; button 5 hikes, button 6 kicks; nothing pauses.
PadRoles padRolesFromJoystick(const Joystick& joystick);
