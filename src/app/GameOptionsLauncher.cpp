// The launcher window of options mode 2: shows game.ini's options over the splash
// picture and takes the player's choices when Start (or Watch) is pressed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/GameOptions.h"
#include "app/PadMappings.h"
#include "core/StartReport.h"
#include "core/WindowFit.h"
#include "input/Gamepad.h"
#include "model/Image.h"
#include "platform/AudioDevice.h"
#include "platform/Launcher.h"

namespace {

struct ResolutionSize {
    int width;
    int height;
};

// Sizes taken at Start, by resolution entry. "ScreenRez" keeps 640 x 480 here;
// the game window replaces it by the desktop's size when it opens.
constexpr ResolutionSize RESOLUTION_SIZES[LAUNCHER_RESOLUTION_COUNT] = {
    {640, 480}, {800, 600}, {1024, 800}, {640, 480}};
constexpr ResolutionSize SIZE_WITHOUT_SELECTION = {640, 480};

bool isResolutionEntry(int index) {
    return index >= 0 && index < LAUNCHER_RESOLUTION_COUNT;
}

ResolutionSize sizeOfResolution(int index) {
    return isResolutionEntry(index) ? RESOLUTION_SIZES[index] : SIZE_WITHOUT_SELECTION;
}

LauncherState launcherStateFrom(const GameOptions& options) {
    LauncherState state;
    state.windowed = options.windowed;
    state.lights = options.lights;
    state.music = options.music;
    state.joystick = options.joystick;
    state.hiQualTex = options.hiQualTex;
    // A choice the list does not hold leaves it without a selection; Start then
    // stores "none".
    const int choice = options.resolutionIndex;
    state.resolutionIndex = isResolutionEntry(choice) ? choice : LAUNCHER_NO_SELECTION;
    state.bestScore = options.bestScoreLine;
    state.bestReplayThere = options.bestReplayThere;
    return state;
}

// The launcher runs before the game opens its sound: a player without an output
// device reads it here, where the game is started, and not only in the line the
// game writes on standard error when it falls back to silence.
void warnOfMissingSound(LauncherState& state) {
    std::string reason;
    if (platformAudioOutputOpens(reason)) {
        return;
    }
    state.warning = "No sound device";
    state.warningTip = "No sound output could be opened (" + reason +
                       "). The game plays without sound; connect speakers or headphones and "
                       "start it again to hear it.";
}

// The splash picture, with its pixels turned from blue-green-red into the
// red-green-blue order the window wants. Owns the decoder's buffer.
class SplashPicture {
public:
    SplashPicture() {
        int width = 0;
        int height = 0;
        pixels_ = loadImage("splash.jpg", width, height);
        if (pixels_ == nullptr || width <= 0 || height <= 0) {
            return;
        }
        const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        for (std::size_t pixel = 0; pixel < pixelCount; ++pixel) {
            std::uint8_t* bytes = pixels_ + 3 * pixel;
            const std::uint8_t blue = bytes[0];
            bytes[0] = bytes[2];
            bytes[2] = blue;
        }
        splash_.rgbPixels = pixels_;
        splash_.width = width;
        splash_.height = height;
    }
    ~SplashPicture() { std::free(pixels_); }
    SplashPicture(const SplashPicture&) = delete;
    SplashPicture& operator=(const SplashPicture&) = delete;

    // No picture (missing or undecodable file) gives an empty splash.
    const LauncherSplash& splash() const { return splash_; }

private:
    std::uint8_t* pixels_ = nullptr;
    LauncherSplash splash_;
};

// A or Start on the pad presses Start: the pad's hike or its pause, in the roles
// the game gives it. A press counts, not a button already down: one held as the
// launcher opens must be let go first.
class LauncherPad {
public:
    bool pressed() {
        PadRoles roles;
        if (!answering_) {
            // Not there at the last look: it may have been plugged in since.
            loadPadMappings();
            joystick_.open(0);
            pad_.open(0);
        }
        answering_ = pad_.read(joystick_, roles);
        const bool down = answering_ && (roles.hike || roles.start);
        const bool press = down && !held_;
        held_ = down;
        return press;
    }

private:
    Joystick joystick_;
    Gamepad pad_;
    bool answering_ = false;
    bool held_ = true;
};

}  // namespace

bool GameOptions::runLauncher(void* /*instance*/, const char* title) {
    load();
    LauncherState state = launcherStateFrom(*this);
    warnOfMissingSound(state);
    LauncherOutcome outcome;
    std::string noDisplayReason;
    {
        SplashPicture picture;
        LauncherPad pad;
        platformLauncherWatchesPad([&pad] { return pad.pressed(); });
        outcome = platformRunLauncher(title, state, picture.splash(), centreInArea, &noDisplayReason);
        platformLauncherWatchesPad(nullptr);
    }
    if (outcome == LAUNCHER_NO_DISPLAY) {
        reportStartFailure("cannot open the launcher window", noDisplayReason);
    }
    if (outcome != LAUNCHER_STARTED && outcome != LAUNCHER_WATCH) {
        return false;
    }
    watchBestReplay = outcome == LAUNCHER_WATCH;
    const ResolutionSize size = sizeOfResolution(state.resolutionIndex);
    windowed = state.windowed;
    lights = state.lights;
    music = state.music;
    joystick = state.joystick;
    hiQualTex = state.hiQualTex;
    width = size.width;
    height = size.height;
    resolutionIndex = state.resolutionIndex;
    changed = true;
    return true;
}
