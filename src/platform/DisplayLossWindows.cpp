#include "platform/DisplayLoss.h"

// The desktop of a Windows session does not go away under a running program the
// way an X server can: a logout reaches the game as a stop request instead
// (EndSignalsWindows.cpp). Nothing to put in place.
void platformEndRunOnDisplayLoss() {}
