#include "platform/JoystickDevice.h"

#include <SDL.h>

namespace {

constexpr std::uint32_t DEVICE_SLOTS = 16;
constexpr std::uint32_t AXIS_MAX = 65535;
constexpr int BUTTON_BITS = 32;

// The devices this process opened, by device number.
SDL_Joystick* gOpenDevices[DEVICE_SLOTS] = {};

bool initJoysticks() {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) != 0) {
        return true;
    }
    // Joysticks report while the game window is in the background too; the
    // Windows service the game was built around does the same.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    return SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

// SDL's -32768 ... 32767 onto 0 ... 65535.
std::uint32_t axisPosition(SDL_Joystick* joystick, int axis) {
    if (axis >= SDL_JoystickNumAxes(joystick)) {
        return 0;
    }
    return static_cast<std::uint32_t>(SDL_JoystickGetAxis(joystick, axis) + 32768);
}

void fillCaps(SDL_Joystick* joystick, JoystickCaps& caps) {
    caps = JoystickCaps();
    int axes = SDL_JoystickNumAxes(joystick);
    if (axes >= 1) {
        caps.xMax = AXIS_MAX;
    }
    if (axes >= 2) {
        caps.yMax = AXIS_MAX;
    }
    // A second stick (R and U) counts only when both its axes exist.
    if (axes >= 4) {
        caps.rMax = AXIS_MAX;
        caps.uMax = AXIS_MAX;
    }
}

// Keeps the open device n when it is still attached and still the n-th device;
// otherwise closes it and opens the device now at that number.
SDL_Joystick* reopen(std::uint32_t n) {
    SDL_Joystick*& slot = gOpenDevices[n];
    if (slot != nullptr) {
        bool sameDevice = SDL_JoystickGetAttached(slot) == SDL_TRUE &&
                          SDL_JoystickGetDeviceInstanceID(static_cast<int>(n)) ==
                              SDL_JoystickInstanceID(slot);
        if (sameDevice) {
            return slot;
        }
        SDL_JoystickClose(slot);
        slot = nullptr;
    }
    if (static_cast<int>(n) < SDL_NumJoysticks()) {
        slot = SDL_JoystickOpen(static_cast<int>(n));
    }
    return slot;
}

}  // namespace

bool platformJoystickOpen(std::uint32_t n, JoystickCaps& caps) {
    caps = JoystickCaps();
    if (n >= DEVICE_SLOTS || !initJoysticks()) {
        return false;
    }
    SDL_Joystick* joystick = reopen(n);
    if (joystick == nullptr) {
        return false;
    }
    fillCaps(joystick, caps);
    return true;
}

PlatformJoystickResult platformJoystickRead(std::uint32_t n,
                                            JoystickReading& position) {
    if (n >= DEVICE_SLOTS || gOpenDevices[n] == nullptr) {
        return PLATFORM_JOYSTICK_UNPLUGGED;
    }
    SDL_Joystick* joystick = gOpenDevices[n];
    SDL_JoystickUpdate();
    if (SDL_JoystickGetAttached(joystick) != SDL_TRUE) {
        return PLATFORM_JOYSTICK_UNPLUGGED;
    }
    position.xPos = axisPosition(joystick, 0);
    position.yPos = axisPosition(joystick, 1);
    position.rPos = axisPosition(joystick, 2);
    position.uPos = axisPosition(joystick, 3);
    position.buttons = 0;
    int buttonCount = SDL_JoystickNumButtons(joystick);
    for (int button = 0; button < buttonCount && button < BUTTON_BITS; ++button) {
        if (SDL_JoystickGetButton(joystick, button) != 0) {
            position.buttons |= std::uint32_t(1) << button;
        }
    }
    return PLATFORM_JOYSTICK_OK;
}

void platformJoystickCloseAll() {
    for (SDL_Joystick*& slot : gOpenDevices) {
        if (slot != nullptr) {
            SDL_JoystickClose(slot);
            slot = nullptr;
        }
    }
}
