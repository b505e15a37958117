// Watching a replay: the recorded ticks come at the pace they were played, the
// player's own keys only pause (P) and end (Q, Escape) it.
#include "app/Engine.h"

void Engine::watch(const Replay& replay) {
    watched_ = replay;
    watching_ = true;
    nextWatchedTick_ = 0;
}

Engine::TickTaken Engine::takeWatchedTick(LoopGame& game, float elapsed, TickInput& input) {
    if (nextWatchedTick_ >= watched_.ticks.size()) {
        // The game is over as it was played: its last picture holds until its
        // whistle ends, then the run ends as Q ends it.
        if (!game.scoreSoundsHeard()) {
            stop();
        }
        return NO_TICK;
    }
    const TickInput& next = watched_.ticks[nextWatchedTick_];
    if (elapsed < next.stepSeconds) {
        return NO_TICK;
    }
    // The viewer's own record: only its P counts.
    if (controls_.takeTick(elapsed, false).pausePressed) {
        watchPaused_ = !watchPaused_;
        game.holdForViewer(watchPaused_);
    }
    if (watchPaused_) {
        return TICK_WITHOUT_STEP;
    }
    input = next;
    ++nextWatchedTick_;
    return TICK_TO_STEP;
}
