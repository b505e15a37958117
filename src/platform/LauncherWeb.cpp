// The launcher in a browser is the page itself (web/index.html): the same
// controls over the splash picture, filled in from the state here, and Start
// or Watch read back. The game waits for them without holding the page's
// thread: each look is followed by a sleep that hands the thread back to the
// browser (Emscripten's Asyncify carries the call stack across it).
#include "platform/Launcher.h"

#include <emscripten.h>

namespace {

// How often the launcher looks for Start or Watch, and how often at the pad.
constexpr int LOOK_MS = 50;
constexpr int PAD_LOOK_MS = 100;

enum PageOutcome { PAGE_WAITING = 0, PAGE_STARTED = 1, PAGE_WATCH = 2 };

// The controls' states in the order the page hands them over.
enum PageControl {
    CONTROL_RESOLUTION,
    CONTROL_WINDOWED,
    CONTROL_LIGHTS,
    CONTROL_MUSIC,
    CONTROL_JOYSTICK,
    CONTROL_HIQ_TEXTURE,
    CONTROL_COUNT
};

std::function<bool()> gPadPressed;

EM_JS(void, showPageLauncher,
      (const char* title, const int* controls, const char* bestScore, int bestReplayThere,
       const char* warning, const char* warningTip, const unsigned char* rgbPixels, int width, int height),
      {
          var values = HEAP32.subarray(controls >> 2, (controls >> 2) + 6);
          var splash = null;
          if (rgbPixels && width > 0 && height > 0) {
              splash = {width: width, height: height, rgb: HEAPU8.slice(rgbPixels, rgbPixels + width * height * 3)};
          }
          Module['zfLauncher'].show({
              title: UTF8ToString(title),
              resolution: values[0],
              windowed: values[1] != 0,
              lights: values[2] != 0,
              music: values[3] != 0,
              joystick: values[4] != 0,
              hiQualTex: values[5] != 0,
              bestScore: UTF8ToString(bestScore),
              bestReplayThere: bestReplayThere != 0,
              warning: UTF8ToString(warning),
              warningTip: UTF8ToString(warningTip),
              splash: splash
          });
      });

EM_JS(int, pageLauncherOutcome, (), { return Module['zfLauncher'].outcome(); });

EM_JS(int, pageJoystickTicked, (), { return Module['zfLauncher'].choices().joystick ? 1 : 0; });

EM_JS(void, readPageLauncher, (int* controls), {
    var choices = Module['zfLauncher'].choices();
    var values = [choices.resolution, choices.windowed, choices.lights, choices.music, choices.joystick,
                  choices.hiQualTex];
    for (var index = 0; index < values.length; ++index) {
        HEAP32[(controls >> 2) + index] = values[index] | 0;
    }
});

// A pad's press is no click: the page starts without asking for full screen.
EM_JS(void, pressPageStart, (), { Module['zfLauncher'].press('pad'); });

}  // namespace

// The page is where the browser put it: no place to choose.
LauncherOutcome platformRunLauncher(const char* title, LauncherState& state, const LauncherSplash& splash,
                                    WindowPlaceRule /*place*/, std::string* /*noDisplayReason*/) {
    const int controls[CONTROL_COUNT] = {state.resolutionIndex, state.windowed, state.lights,
                                         state.music,           state.joystick, state.hiQualTex};
    showPageLauncher(title, controls, state.bestScore.c_str(), state.bestReplayThere ? 1 : 0,
                     state.warning.c_str(), state.warningTip.c_str(), splash.rgbPixels, splash.width, splash.height);
    int sincePadLook = 0;
    int outcome = PAGE_WAITING;
    while ((outcome = pageLauncherOutcome()) == PAGE_WAITING) {
        sincePadLook += LOOK_MS;
        if (sincePadLook >= PAD_LOOK_MS) {
            sincePadLook = 0;
            if (gPadPressed && pageJoystickTicked() != 0 && gPadPressed()) {
                pressPageStart();
                continue;
            }
        }
        emscripten_sleep(LOOK_MS);
    }
    int chosen[CONTROL_COUNT] = {};
    readPageLauncher(chosen);
    state.resolutionIndex = chosen[CONTROL_RESOLUTION];
    state.windowed = chosen[CONTROL_WINDOWED];
    state.lights = chosen[CONTROL_LIGHTS];
    state.music = chosen[CONTROL_MUSIC];
    state.joystick = chosen[CONTROL_JOYSTICK];
    state.hiQualTex = chosen[CONTROL_HIQ_TEXTURE];
    return outcome == PAGE_WATCH ? LAUNCHER_WATCH : LAUNCHER_STARTED;
}

void platformLauncherWatchesPad(std::function<bool()> pressed) { gPadPressed = std::move(pressed); }

// The page's texts wrap and never get cut: there is nothing to measure.
std::vector<LauncherTextFit> platformLauncherTextFits(const LauncherState&) { return {}; }
