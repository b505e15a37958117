#include "input/Joystick.h"

#include "platform/JoystickDevice.h"

namespace {

class PlatformJoystickSource : public JoystickSource {
public:
    bool readCaps(std::uint32_t n, JoystickCaps& caps) override { return platformJoystickOpen(n, caps); }

    bool readPosition(std::uint32_t n, JoystickReading& reading) override {
        return platformJoystickRead(n, reading) != PLATFORM_JOYSTICK_UNPLUGGED;
    }
};

PlatformJoystickSource gPlatformSource;
JoystickSource* gTestSource = nullptr;

JoystickSource& source() {
    return gTestSource != nullptr ? *gTestSource : gPlatformSource;
}

// A position on the device's range [minimum, maximum] as a value in [-1, 1].
float axisValue(std::uint32_t position, std::uint32_t minimum, std::uint32_t maximum) {
    std::uint32_t offset = position - minimum;
    std::uint32_t range = maximum - minimum;
    return static_cast<float>(2.0 * offset / range - 1.0);
}

}  // namespace

void setJoystickSourceForTesting(JoystickSource* testSource) {
    gTestSource = testSource;
}

bool Joystick::open(std::uint32_t n) {
    id = n;
    present = source().readCaps(n, caps);
    if (!present) {
        return false;
    }
    if (caps.xMin == caps.xMax || caps.yMin == caps.yMax) {
        present = false;
        return false;
    }
    hasRU = caps.rMin != caps.rMax && caps.uMin != caps.uMax;
    if (!hasRU) {
        axes[2] = 0.0f;
        axes[3] = 0.0f;
    }
    present = source().readPosition(id, info);
    return present;
}

bool Joystick::poll() {
    if (!present) {
        return false;
    }
    if (!source().readPosition(id, info)) {
        return false;
    }
    buttons = info.buttons;
    axes[0] = axisValue(info.xPos, caps.xMin, caps.xMax);
    axes[1] = axisValue(info.yPos, caps.yMin, caps.yMax);
    if (hasRU) {
        axes[2] = axisValue(info.rPos, caps.rMin, caps.rMax);
        axes[3] = axisValue(info.uPos, caps.uMin, caps.uMax);
    }
    return true;
}
