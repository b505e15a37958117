// In the browser the page's thread may not sleep: every message waiting in the
// queue is taken at once, and the wait is left to the main loop, which calls
// the game again when it is over (MainLoopWeb.cpp). The game loses nothing by
// it: a message that comes meanwhile waits in the queue, and the loop steps
// the game only when a tick is due anyway.
#include "platform/Events.h"
#include "platform/LoopPacing.h"

namespace {
int gAskedWaitMs = 0;
}

void askNextIterationIn(int milliseconds) { gAskedWaitMs = milliseconds > 0 ? milliseconds : 0; }

int takeNextIterationWait() {
    const int wait = gAskedWaitMs;
    gAskedWaitMs = 0;
    return wait;
}

bool platformWaitMessage(WindowMessage& message, int timeoutMs) {
    if (platformPollMessage(message)) {
        return true;
    }
    askNextIterationIn(timeoutMs);
    return false;
}
