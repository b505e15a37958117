#include "platform/DisplayServer.h"

// Windows has one desktop per session and no display server to connect to: no
// display name, nothing that may wake up a moment later, no X errors. Only what
// the launcher and the game window call is here.

std::string platformQuotedDisplayName() { return "\"desktop\""; }

// The desktop is there or it is not; waiting never changes that.
std::string platformDisplayAbsence() { return "the Windows desktop refused the window"; }

bool platformRetryWhileDisplayRefuses(const std::function<bool()>& attempt) { return attempt(); }

_XDisplay* xDisplayOf(SDL_Window*) { return nullptr; }

XErrorTrap::XErrorTrap() {}

XErrorTrap::~XErrorTrap() {}

std::string XErrorTrap::firstError(_XDisplay*) { return ""; }

// The desktop of a Windows session does not go away under a running program the
// way an X server can: a logout reaches the game as a stop request instead
// (EndSignalsWindows.cpp). Nothing to put in place.
void platformEndRunOnDisplayLoss() {}

// Windows tells a program of its minimised window, which the windowing library
// reports itself; a window merely covered by others is not reported, so it keeps
// drawing as before.
void watchWindowCoverage(SDL_Window*) {}

bool translateCoverage(const SDL_Event&, WindowMessage&) { return false; }

// The toolkit talks to the desktop of the session, which is there for any
// program the player started: nothing to open or wait for.
bool launcherOpenDisplay(std::string& failure) {
    failure.clear();
    return true;
}
