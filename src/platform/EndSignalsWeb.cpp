// A page has no stop signals; the one request to stop from outside is the tab
// closed or the browser leaving the page. The page's thread gets no later
// iteration then: the end-of-run save runs at once (RunEnd.h), numbered as
// SIGTERM as a desktop session's end is.
#include "platform/EndSignals.h"

#include <emscripten.h>

#include "platform/RunEnd.h"

namespace {

constexpr int TERMINATE_NUMBER = 15;
constexpr int SIGNAL_EXIT_BASE = 128;

int gEndSignal = 0;

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void zfPageLeaving() {
    if (gEndSignal != 0) {
        return;
    }
    gEndSignal = TERMINATE_NUMBER;
    platformEndRunNow(platformEndExitCode(0));
}

void platformCatchEndSignals() {
    EM_ASM({
        window.addEventListener('pagehide', function() { Module['_zfPageLeaving'](); });
    });
}

int platformEndSignal() { return gEndSignal; }

int platformEndExitCode(int code) { return gEndSignal != 0 ? SIGNAL_EXIT_BASE + gEndSignal : code; }

void platformWatchSessionEnd(SDL_Window*) {}
