// The game's own costs with its real window, models, label and sound output:
// start-up to the first drawn frame, and one frame of play. Needs a display
// (run under xvfb-run); sound goes to SDL's silent driver unless one is chosen.
#include "platform/OpenGl.h"
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BenchMedia.h"
#include "app/Engine.h"
#include "core/ErrorMessages.h"
#include "core/FrameTime.h"
#include "game/Game.h"
#include "platform/WindowMessage.h"
#include "math/Clock.h"

namespace {

constexpr float TICK = 0.031f;  // just over the 0.03 s the frame timer waits for

const char* const WINDOWED_640 =
    "[Game]\nWindowed=1\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\n"
    "Width=640\nHeight=480\nUseScreenRes=0\n";

// One running game: the engine started from game.ini (no launcher) and the
// media loaded, as the program has them after Start.
struct RunningGame {
    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    std::unique_ptr<Game> game;
    int errorBoxes = 0;

    bool start() {
        setErrorBoxHandlerForTesting([this](ErrorSeverity, const std::string&, const std::string&) {
            ++errorBoxes;
            return true;
        });
        if (!engine->init("Zorbak Football II", nullptr, Color4(), 1.0f, 500.0f, OPTIONS_READ_FILE)) {
            return false;
        }
        game = std::make_unique<Game>(*engine);
        return game->setup();
    }

    // One pass of the main loop that draws: the frame timer is moved back so
    // that this pass is a tick.
    bool frame() {
        engine->lastTime = static_cast<float>(getTimeSeconds()) - TICK;
        gFrameTime = engine->beginFrame();
        if (gFrameTime == 0.0f) {
            return false;
        }
        game->update();
        engine->applyCamera();
        game->draw();
        engine->endFrame();
        return true;
    }

    ~RunningGame() {
        game.reset();
        engine.reset();
        setErrorBoxHandlerForTesting(nullptr);
    }
};

bool prepare(benchmark::State& state, BenchMedia& media) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!media.ok()) {
        state.SkipWithError("no media folder (build the zorbak target or set ZF_BENCH_MEDIA)");
        return false;
    }
    FILE* ini = std::fopen(media.mediaPath("game.ini").c_str(), "w");
    if (ini == nullptr) {
        state.SkipWithError("cannot write game.ini");
        return false;
    }
    std::fputs(WINDOWED_640, ini);
    std::fclose(ini);
    return true;
}

// From the engine's start (window, GL state) through loading every model,
// texture, sound and the label, to the first frame drawn and shown.
void startToFirstFrame(benchmark::State& state) {
    BenchMedia media;
    if (!prepare(state, media)) {
        return;
    }
    for (auto _ : state) {
        auto running = std::make_unique<RunningGame>();
        if (!running->start() || !running->frame()) {
            state.SkipWithError("the game did not start (is there a display?)");
            return;
        }
        glFinish();
        state.PauseTiming();
        if (running->errorBoxes != 0) {
            state.SkipWithError("the media reported errors");
        }
        running.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(startToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

// One frame of play at 640 x 480: update (input, movement, rules, camera) and
// draw (field, uprights, dog, ball, robots, label), then the buffer swap. The
// hike key is held and the down count kept low, so the frames go through
// plays, tackles and line-ups but never a lost game, whose reset waits for
// the whistle.
void frameOfPlay(benchmark::State& state) {
    BenchMedia media;
    if (!prepare(state, media)) {
        return;
    }
    RunningGame running;
    if (!running.start()) {
        state.SkipWithError("the game did not start (is there a display?)");
        return;
    }
    int playFrames = 0;
    int frames = 0;
    for (auto _ : state) {
        running.engine->keyDown[VK_SPACE_KEY] = 1;
        running.game->down = 1;
        if (!running.frame()) {
            state.SkipWithError("the frame timer drew no frame");
            return;
        }
        ++frames;
        playFrames += running.game->phase == PHASE_PLAY ? 1 : 0;
    }
    glFinish();
    state.counters["play_share"] = frames > 0 ? static_cast<double>(playFrames) / frames : 0.0;
}
BENCHMARK(frameOfPlay)->Unit(benchmark::kMillisecond);

}  // namespace
