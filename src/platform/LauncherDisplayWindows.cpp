#include "platform/LauncherDisplay.h"

// The toolkit talks to the desktop of the session, which is there for any
// program the player started: nothing to open or wait for.
bool launcherOpenDisplay(std::string& failure) {
    failure.clear();
    return true;
}
