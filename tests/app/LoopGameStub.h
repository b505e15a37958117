#pragma once

#include <vector>

#include "app/Engine.h"
#include "app/LoopGame.h"

// A game for the main loop's tests: it keeps every record it is stepped with and
// counts its drawings, and each of its answers to the loop is a field the test sets.
class LoopGameStub : public LoopGame {
public:
    std::vector<TickInput> steps;
    int draws = 0;
    bool held = false;
    bool unchanged = false;
    bool isPaused = false;
    bool inPlay = false;
    bool soundsHeard = false;
    bool heldForViewer = false;
    Matrix4 camera;

    void step(const TickInput& input) override { steps.push_back(input); }
    bool scoreSoundsHeard() const override { return soundsHeard; }
    bool pictureHeld() const override { return held; }
    bool pictureUnchanged() const override { return unchanged; }
    const Matrix4& viewMatrix() const override { return camera; }
    void draw() override { ++draws; }
    bool paused() const override { return isPaused; }
    bool downInPlay() const override { return inPlay; }
    bool newGameNext() const override { return false; }
    const char* labelShown() const override { return ""; }
    void startRecordedGame(const char*) override {}
    void holdForViewer(bool heldNow) override { heldForViewer = heldNow; }
};

// Starts engine on its defaults with a 640 x 480 window, ready to run game's loop.
inline bool startWindowedEngine(Engine& engine, LoopGame& game) {
    engine.options().width = 640;
    engine.options().height = 480;
    engine.options().windowed = 1;
    if (!engine.init("Zorbak Football II", nullptr, Color4(), 1.0f, 500.0f, OPTIONS_DEFAULTS)) {
        return false;
    }
    engine.beginPlay(game);
    return true;
}
