// A pause the player can see: a frozen picture alone looks like a hung game.
#include <cstdio>

#include "game/Game.h"

namespace {
const char* const PAUSED_TEXT = "PAUSED";
}  // namespace

void Game::followPause(const TickInput& input) {
    if (input.focusLost) {
        // A focus lost while already paused changes nothing.
        if (!paused_) {
            setPaused(true, true);
            // A hike held since before the focus went is no press to resume with.
            hikeHeldOver_ = hikeHeldOver_ || input.hike.held;
        }
    } else if (input.pausePressed) {
        setPaused(!paused_, false);
    } else if (paused_ && pausedByFocus_ && hikeAsked_) {
        // The player is back and asks to play on. That press only resumes: it
        // hikes nothing until it is let go.
        setPaused(false, false);
        hikeHeldOver_ = true;
        hikeAsked_ = false;
    }
}

void Game::setPaused(bool nowPaused, bool byFocus) {
    if (nowPaused == paused_) {
        return;
    }
    paused_ = nowPaused;
    pausedByFocus_ = nowPaused && byFocus;
    // The sounds hold where they are and go on from there.
    if (nowPaused) {
        sound.pause();
    } else {
        sound.resume();
    }
    showPaused(nowPaused);
}

void Game::showPaused(bool nowPaused) {
    if (nowPaused) {
        std::snprintf(labelBeforePause_, sizeof labelBeforePause_, "%s", labelText);
        showLabel(PAUSED_TEXT);
    } else {
        showLabel(labelBeforePause_);
    }
}

void Game::holdForViewer(bool held) {
    // The game's own pause, recorded, already holds the sound and shows "PAUSED".
    if (paused_) {
        return;
    }
    if (held) {
        sound.pause();
    } else {
        sound.resume();
    }
    showPaused(held);
}
