#include "platform/LauncherDisplay.h"

#include <FL/Fl.H>
#include <FL/x.H>

// The desktop is always there for a program the player started.
bool launcherOpenDisplay(std::string& failure) {
    fl_open_display();
    failure.clear();
    return true;
}
