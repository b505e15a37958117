// A pause the player can see: a frozen picture alone looks like a hung game.
#include <cstdio>

#include "app/Engine.h"
#include "game/Game.h"

namespace {
const char* const PAUSED_TEXT = "PAUSED";
}  // namespace

void Game::followPause(PauseChange change) {
    if (change == PAUSE_BEGAN) {
        // The sounds hold where they are and go on from there.
        sound.pause();
        showPaused(true);
        // The picture then holds until the pause ends.
        engine.beginDrawing();
        drawAsItStands();
    } else if (change == PAUSE_ENDED) {
        sound.resume();
        showPaused(false);
    } else if (engine.paused && engine.repaintDue && !engine.windowHidden) {
        // No tick draws while paused: a resized or uncovered window gets the
        // paused picture again, at its new size.
        engine.beginDrawing();
        drawAsItStands();
    }
}

void Game::showPaused(bool paused) {
    if (paused == pauseShown) {
        return;  // a second "PAUSED" must not replace the text to come back to
    }
    pauseShown = paused;
    if (paused) {
        std::snprintf(labelBeforePause, sizeof labelBeforePause, "%s", labelText);
        showLabel(PAUSED_TEXT);
    } else {
        showLabel(labelBeforePause);
    }
}

void Game::drawAsItStands() {
    // The scene as the last step left it, under the camera it set: no time passes
    // in the game for this frame.
    engine.applyCamera();
    draw();
    engine.endFrame();
}
