#include "platform/LauncherDisplay.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include "platform/DisplayConnection.h"
#include "platform/DisplayLoss.h"

// The toolkit opens its display on first use, tries only once and ends the
// process when there is none; opening it here rides out a display that refuses
// for a moment and lets the game report a real failure its own way.
bool launcherOpenDisplay(std::string& failure) {
    if (fl_display != nullptr) {
        return true;
    }
    Display* display = platformOpenXDisplay(failure);
    if (display == nullptr) {
        return false;
    }
    fl_open_display(display);
    platformEndRunOnDisplayLoss();  // in place of the toolkit's own reaction
    return true;
}
