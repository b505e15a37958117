#pragma once

#include <cstdint>

#include "platform/JoystickRecords.h"

// Where a Joystick reads device n: the platform's joysticks, or a stand-in that a
// test puts in their place.
class JoystickSource {
public:
    virtual ~JoystickSource() = default;
    // False when there is no device n.
    virtual bool readCaps(std::uint32_t n, JoystickCaps& caps) = 0;
    // False only when the device has been unplugged.
    virtual bool readPosition(std::uint32_t n, JoystickReading& reading) = 0;
};

// The buttons the game reads, as masks of Joystick::buttons (bit 0 is button 1).
constexpr std::uint32_t JOYSTICK_HIKE_BUTTON = 1u << 4;  // button 5: stands in for Space
constexpr std::uint32_t JOYSTICK_KICK_BUTTON = 1u << 5;  // button 6: stands in for Control

// Replaces the platform's joysticks for every Joystick; null restores them.
void setJoystickSourceForTesting(JoystickSource* source);

class Joystick {
public:
    JoystickReading info;
    JoystickCaps caps;
    std::uint32_t id = 0;
    bool present = false;
    bool hasRU = false;
    float axes[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // X, Y, R, U in [-1, 1]
    std::uint32_t buttons = 0;

    // True when device n answers with usable X and Y axes.
    bool open(std::uint32_t n);
    // True when a position was read; an unplugged device keeps its last values.
    bool poll();
};
