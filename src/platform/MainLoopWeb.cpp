// The browser's main loop: one iteration per call from the browser, which
// comes back after the wait the iteration asked for. A timer rather than the
// display's frames paces it: the game's tick (0.03 s) is no whole number of
// 60 Hz frames, and ticks taken on frames alone would come every 33 or 50 ms.
#include "platform/MainLoop.h"

#include <emscripten.h>

#include "platform/LoopPacing.h"

namespace {

std::function<bool()> gIteration;
std::function<void()> gAtEnd;

// The page takes the player back to its launcher once the saves are stored.
EM_JS(void, tellPageRunEnded, (), {
    if (Module['zfRunEnded']) {
        Module['zfRunEnded']();
    }
});

void runIteration() {
    if (!gIteration()) {
        emscripten_cancel_main_loop();
        gAtEnd();
        tellPageRunEnded();
        return;
    }
    emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, takeNextIterationWait());
}

}  // namespace

void platformRunMainLoop(std::function<bool()> iteration, std::function<void()> atEnd) {
    gIteration = std::move(iteration);
    gAtEnd = std::move(atEnd);
    // Never returns: the browser holds the loop from here.
    emscripten_set_main_loop(runIteration, 0, 1);
}
