#pragma once

#include "input/TickInput.h"
#include "math/Matrix4.h"

// What the main loop asks of the game it runs, once an iteration: gather the
// input, step the game, draw. The game lives a rung above the loop, so the loop
// knows it only through this.
class LoopGame {
public:
    virtual ~LoopGame() = default;
    // One tick: the game reads the record and nothing else.
    virtual void step(const TickInput& input) = 0;
    // What the record of the next tick says of the sounds the game waits for.
    virtual bool scoreSoundsHeard() const = 0;
    // The picture on screen must hold (the wait after a score): only a repaint
    // the window asks for draws.
    virtual bool pictureHeld() const = 0;
    // A frame drawn now would give the picture already on screen.
    virtual bool pictureUnchanged() const = 0;
    // The view matrix the last step set, the camera behind the dog.
    virtual const Matrix4& viewMatrix() const = 0;
    // Draws the scene and the label, under the view the loop has applied.
    virtual void draw() = 0;
    virtual bool paused() const = 0;
    // A down is being played: only then is the pointer kept in the window.
    virtual bool downInPlay() const = 0;
    // A new game begins at the next step (the first, or the one after a lost
    // game): its recording starts there.
    virtual bool newGameNext() const = 0;
    // The label's text now: a recording starts with it.
    virtual const char* labelShown() const = 0;
    // A recorded game starts at the next step, with the label showing text.
    virtual void startRecordedGame(const char* text) = 0;
    // The one watching a replay holds it (P): the sound holds and the label says
    // so, but the game's own state stays as its records left it.
    virtual void holdForViewer(bool held) = 0;
};
