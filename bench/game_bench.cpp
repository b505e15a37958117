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
#include "game/Game.h"
#include "platform/WindowMessage.h"
#include "math/Clock.h"

namespace {

constexpr double TICK = 0.03125;  // exact in float, just over the game's tick

const char* const WINDOWED_640 =
    "[Game]\nWindowed=1\nLights=1\nMusic=0\nJoystick=0\nUseHiQualTex=0\n"
    "Width=640\nHeight=480\nUseScreenRes=0\n";

// One running game: the engine started from game.ini (no launcher) and the
// media loaded, as the program has them after Start. Its clock goes a tick
// forward at each frame, so every frame is a step, whatever the frame costs.
struct RunningGame {
    double now = 100.0;
    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    std::unique_ptr<Game> game;
    int errorBoxes = 0;
    int framesDrawn = 0;

    bool start() {
        setClockForTesting([this] { return now; });
        setErrorBoxHandlerForTesting([this](ErrorSeverity, const std::string&, const std::string&) {
            ++errorBoxes;
            return true;
        });
        if (!engine->init("Zorbak Football II", nullptr, Color4(), 1.0f, 500.0f, OPTIONS_READ_FILE)) {
            return false;
        }
        game = std::make_unique<Game>(*engine);
        if (!game->setup()) {
            return false;
        }
        // Every step is drawn, as every frame of play changes the picture anyway.
        engine->setDrawEveryTick(true);
        engine->setFrameObserver([this] { ++framesDrawn; });
        engine->beginPlay(*game);
        return true;
    }

    // One pass of the main loop at a tick: the game steps, and draws unless its
    // picture holds.
    bool frame() {
        now += TICK;
        const long ticks = engine->controls().ticksTaken();
        return engine->runIteration(*game) && engine->controls().ticksTaken() == ticks + 1;
    }

    void send(MessageKind kind, std::uint32_t key) {
        WindowMessage message;
        message.kind = kind;
        message.wParam = key;
        engine->handleMessage(message);
    }

    ~RunningGame() {
        game.reset();
        engine.reset();
        setErrorBoxHandlerForTesting(nullptr);
        setClockForTesting(nullptr);
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
        if (!running->start() || !running->frame() || running->framesDrawn != 1) {
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
// hike key is pressed at every tick and the down count kept low, so the frames
// go through plays, tackles and line-ups but never a lost game, whose reset
// waits for the whistle.
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
        // Pressed again at every tick: a hike held through a reset would be
        // taken for one left over from the last down.
        running.send(MESSAGE_KEY_UP, VK_SPACE_KEY);
        running.send(MESSAGE_KEY_DOWN, VK_SPACE_KEY);
        running.game->down = 1;
        if (!running.frame()) {
            state.SkipWithError("the main loop took no tick");
            return;
        }
        ++frames;
        playFrames += running.game->phase == PHASE_PLAY ? 1 : 0;
    }
    glFinish();
    state.counters["play_share"] = frames > 0 ? static_cast<double>(playFrames) / frames : 0.0;
    state.counters["drawn_share"] = frames > 0 ? static_cast<double>(running.framesDrawn) / frames : 0.0;
}
BENCHMARK(frameOfPlay)->Unit(benchmark::kMillisecond);

}  // namespace
