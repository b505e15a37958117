#include "platform/DisplayConnection.h"

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
