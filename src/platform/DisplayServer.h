#pragma once

#include <functional>
#include <string>

#include "platform/WindowMessage.h"

// Inside the platform layer only: what a display server asks of the program that
// other desktops do not. An X server (DisplayServerX11.cpp) may refuse a
// connection for a moment, report protocol errors, go away under the game and
// tell when a window is covered; the Windows desktop (DisplayServerWindows.cpp)
// does none of that, and there each call gives the plain answer.

struct _XDisplay;  // Xlib's Display
struct SDL_Window;
union SDL_Event;

// The connection to the X display that the launcher and the game window open.
// An X server that has just lost its last client (say a game or any OpenGL program
// that quit a moment ago) resets itself and meanwhile refuses or drops new
// connections; a start that tries only once then fails now and then for no reason
// the player can see. A display that is really absent must still fail at once.

// How long a refused display is tried again, and the pause between tries.
constexpr int DISPLAY_PATIENCE_MS = 2000;
constexpr int DISPLAY_RETRY_PAUSE_MS = 50;

// The socket a local display's server listens on ("/tmp/.X11-unix/X0" for ":0",
// ":0.1" or "unix:0"); empty for a display on another host or a name that is no
// display at all. X11 only.
std::string displaySocketPath(const std::string& displayName);

// The display named by DISPLAY, quoted for messages, e.g. "\":0\"".
std::string platformQuotedDisplayName();

// Why waiting cannot make the display answer: DISPLAY unset or empty, not a display
// name, or a local display whose server socket does not exist. Empty when the
// display may answer later.
std::string platformDisplayAbsence();

// Calls attempt until it returns true. While the display may answer, a failed
// attempt is tried again after short pauses, for DISPLAY_PATIENCE_MS in all; an
// absent display gets one attempt. True when an attempt succeeded.
bool platformRetryWhileDisplayRefuses(const std::function<bool()>& attempt);

// The X connection SDL draws the window through; null off X.
_XDisplay* xDisplayOf(SDL_Window* window);

// While it lives, X protocol errors (from any connection of the process) are
// collected instead of ending the process, which Xlib's own handler does. One
// trap at a time. A
// missing OpenGL driver, for one, shows up only as such an error.
class XErrorTrap {
public:
    XErrorTrap();
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits until the server has answered every request sent on display so far;
    // then the first error since the trap was set, described, or "" for none.
    std::string firstError(_XDisplay* display);
};

// The X display going away under the game (the desktop session ends, the X server
// dies). Xlib's own reaction is to exit through the static destructors, whose
// window teardown then waits forever on the dead connection at full speed of a
// core. The game ends instead at once.

// The exit code of a run whose display went away: Xlib's own for that case.
constexpr int DISPLAY_LOST_EXIT_CODE = 1;

// From now on a lost display connection ends the run at once: one line on
// standard error, the end-of-run save (RunEnd.h), and the process goes without
// another call on the display. Called after each library has opened its display
// connection, since each puts its own reaction in place when it does.
void platformEndRunOnDisplayLoss();

// A window that other windows cover completely is as unseen as a minimised one,
// but the windowing library reports only the latter. The X server tells it when
// asked.

// Asks the display to report when the window becomes fully covered or seen again.
void watchWindowCoverage(SDL_Window* window);
// Such a report as MESSAGE_HIDDEN (fully covered) or MESSAGE_SHOWN; false for
// every other event.
bool translateCoverage(const SDL_Event& event, WindowMessage& message);

// Opens the toolkit's connection to the display before the launcher's first
// window; false, with failure saying why, when there is no display to open.
bool launcherOpenDisplay(std::string& failure);
