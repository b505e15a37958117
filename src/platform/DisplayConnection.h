#pragma once

#include <functional>
#include <string>

// The connection to the X display that the launcher and the game window open.
// An X server that has just lost its last client (say a game or any OpenGL program
// that quit a moment ago) resets itself and meanwhile refuses or drops new
// connections; a start that tries only once then fails now and then for no reason
// the player can see. A display that is really absent must still fail at once.

struct _XDisplay;  // Xlib's Display
struct SDL_Window;

// How long a refused display is tried again, and the pause between tries.
constexpr int DISPLAY_PATIENCE_MS = 2000;
constexpr int DISPLAY_RETRY_PAUSE_MS = 50;

// The socket a local display's server listens on ("/tmp/.X11-unix/X0" for ":0",
// ":0.1" or "unix:0"); empty for a display on another host or a name that is no
// display at all.
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

// Opens a connection to the display named by DISPLAY, retrying as above. Null on
// failure, with failure saying which display and why.
_XDisplay* platformOpenXDisplay(std::string& failure);

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
