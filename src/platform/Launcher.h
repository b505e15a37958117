#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ScreenArea.h"

// The launcher window that runs before the game: a splash picture with the
// option controls along its top edge and a Start button. The game hands in
// plain values and gets plain values back; the toolkit stays in here.

// Number of entries in the resolution list; LAUNCHER_NO_SELECTION leaves it empty.
constexpr int LAUNCHER_RESOLUTION_COUNT = 4;
constexpr int LAUNCHER_NO_SELECTION = -1;
// The window's X class name.
constexpr const char* LAUNCHER_WINDOW_CLASS = "ZorbakLauncher";

// The controls' states: check boxes 1 (ticked) or 0, and the resolution list's
// selected entry (LAUNCHER_NO_SELECTION for none).
struct LauncherState {
    int windowed = 0;
    int lights = 0;
    int music = 0;
    int joystick = 0;
    int hiQualTex = 0;
    int resolutionIndex = LAUNCHER_NO_SELECTION;
    // A line of text shown at the bottom-left, beside Start (the best score so
    // far); empty: none. Only shown, never changed.
    std::string bestScore;
    // A replay of the best game is kept: a Watch button follows the best score's
    // line. Only shown, never changed.
    bool bestReplayThere = false;
    // A short warning shown in the same row, after the best score and Watch (no
    // sound device), with a tooltip that says more; empty: none.
    std::string warning;
    std::string warningTip;
};

// A picture stretched over the whole window: width x height pixels of 3 bytes
// (red, green, blue), top row first, rows packed. No pixels: no picture.
struct LauncherSplash {
    const std::uint8_t* rgbPixels = nullptr;
    int width = 0;
    int height = 0;
};

enum LauncherOutcome {
    LAUNCHER_NO_DISPLAY,  // the window could not be opened
    LAUNCHER_CLOSED,      // closed through its close box; state is left as it came in
    LAUNCHER_STARTED,     // Start was pressed; state holds the controls' states
    LAUNCHER_WATCH,       // Watch was pressed; state holds the controls' states, as for Start
};

// Shows the window (client area 640 x 480, the given title) with the controls set
// from state and blocks until Start, Watch, the close box or a stop signal (EndSignals.h,
// taken as the close box) ends it. The window is off
// the screen when this returns, and C's number formatting is the "C" one again
// (the toolkit switches the process's locale while it runs). A display that
// refuses for a moment is tried again; LAUNCHER_NO_DISPLAY puts the display's name
// and the reason into noDisplayReason when given. place puts the window on the
// desktop's usable area (null: the window manager does).
LauncherOutcome platformRunLauncher(const char* title, LauncherState& state,
                                    const LauncherSplash& splash, WindowPlaceRule place,
                                    std::string* noDisplayReason = nullptr);

// Lets a pad press Start: while the Joystick box is ticked, the launcher asks
// pressed about ten times a second, and a true presses Start. The toolkit reads
// no pad itself. An empty function stops it.
void platformLauncherWatchesPad(std::function<bool()> pressed);

// One text of the launcher and how much of it its control shows.
struct LauncherTextFit {
    std::string text;     // the whole text, as the player reads it
    std::string visible;  // the longest start of it that fits the room its control leaves
    std::string tip;      // the control's tooltip; empty: none
};

// What the launcher built from state shows of each of its texts (the window is
// made but not shown): a test compares every visible text with the whole one.
// Empty when no display can be opened.
std::vector<LauncherTextFit> platformLauncherTextFits(const LauncherState& state);
