#include "platform/DisplayLoss.h"

#include <X11/Xlib.h>

#include <cstdio>

#include "platform/RunEnd.h"

namespace {

int onDisplayLost(Display*) {
    std::fputs("Zorbak Football II: the display went away; the game ends.\n", stderr);
    platformEndRunNow(DISPLAY_LOST_EXIT_CODE);
}

}  // namespace

void platformEndRunOnDisplayLoss() { XSetIOErrorHandler(onDisplayLost); }
