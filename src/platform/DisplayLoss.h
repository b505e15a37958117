#pragma once

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
