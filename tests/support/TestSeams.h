#pragma once

#include <functional>
#include <string>
#include <type_traits>
#include <utility>

#include "core/ErrorMessages.h"
#include "input/Joystick.h"
#include "math/Clock.h"
#include "model/ModelTextures.h"
#include "platform/ExecutablePath.h"
#include "text/TextLabel.h"

// Puts a test's stand-in in through one of the game's ...ForTesting setters and
// takes it out again (the setter given an empty value restores the real thing)
// when the guard goes out of scope, however the test ends. So no fake can leak
// from one test into the next. Declare a guard after whatever its stand-in uses,
// and before anything whose destructor may still call it.
template <typename Value, void (*Set)(Value)>
class SeamGuard {
public:
    using Stored = std::decay_t<Value>;

    explicit SeamGuard(Stored fake) { Set(std::move(fake)); }
    ~SeamGuard() { Set(Stored{}); }
    SeamGuard(const SeamGuard&) = delete;
    SeamGuard& operator=(const SeamGuard&) = delete;
};

// getTimeSeconds reads this clock.
using ClockOverride = SeamGuard<std::function<double()>, setClockForTesting>;
// showError hands its boxes to this handler instead of the screen.
using ErrorBoxOverride = SeamGuard<ErrorBoxHandler, setErrorBoxHandlerForTesting>;
// Every Joystick reads this device.
using JoystickOverride = SeamGuard<JoystickSource*, setJoystickSourceForTesting>;
// Models ask this creator for their textures.
using TextureCreatorOverride = SeamGuard<TextureCreator, setTextureCreatorForTesting>;
// Labels open this font file.
using LabelFontFileOverride = SeamGuard<const std::string&, setLabelFontFileForTesting>;
// The loaders look for media/ in this directory.
using ExecutableDirectoryOverride =
    SeamGuard<const std::string&, platformSetExecutableDirectoryForTesting>;
