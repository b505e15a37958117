// The program entry and the game's objects in static storage. They are defined
// here, in one translation unit, so that they are built in this order and torn
// down in reverse: the Engine first and last, so the models, the sound player and
// the label release their resources while the display mode is still in place.
#include "app/Engine.h"
#include "core/ErrorMessages.h"
#include "game/Game.h"
#include "platform/EndSignals.h"
#include "platform/MainLoop.h"

static Engine gEngine;
static Game gGame(gEngine);

int main() {
    // A logout's SIGTERM, Ctrl+C or a closed terminal end the run as Q does, and
    // the exit code says which signal it was.
    platformCatchEndSignals();
    Color4 clearColor(0.0f, 0.0f, 0.0f, 0.0f);
    if (!gEngine.init("Zorbak Football II", nullptr, clearColor, 1.0f, 500.0f, OPTIONS_LAUNCHER)) {
        return platformEndExitCode(-1);
    }
    if (!gGame.setup()) {
        return platformEndExitCode(-1);
    }
    gEngine.beginPlay(gGame);
    // Each iteration: gather the input, step the game at a tick, draw.
    platformRunMainLoop([] { return gEngine.runIteration(gGame); },
                        [] {
                            // The run is over: the sound stops now rather than play
                            // out its last buffers while the player waits for the
                            // game to go.
                            gGame.sound.closeForExit();
                            // Saved while the game still stands, whatever ended the run.
                            gEngine.saveAtEndOfRun();
                        });
    // A No to a serious error box, or a shutdown box, ends the run as a failure.
    return platformEndExitCode(shutdownRequested() ? -1 : 0);
}
