#pragma once

// Inside the platform layer only, in the browser: the page's thread may not sleep,
// so a wait the game asks for (platformWaitMessage) is remembered instead, and
// the main loop (MainLoopWeb.cpp) calls the next iteration after it.

// The next iteration is due in milliseconds (0: at once).
void askNextIterationIn(int milliseconds);
// The wait asked for since the last call, 0 when none was; forgets it.
int takeNextIterationWait();
