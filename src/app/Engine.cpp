#include "app/Engine.h"

#include <cmath>

#include "app/FrameTick.h"
#include "app/PadMappings.h"
#include "app/ReplayFile.h"
#include "core/ErrorMessages.h"
#include "core/StartReport.h"
#include "math/Clock.h"
#include "math/Random.h"
#include "model/TextureCache.h"
#include "platform/EndSignals.h"
#include "platform/Events.h"
#include "platform/RunEnd.h"
#include "platform/Window.h"

namespace {
// Paused and unseen, a tick has nothing to do: only a message (or a stop signal,
// looked for at least this often) can change anything.
constexpr int HIDDEN_PAUSE_WAIT_MS = 100;

float clockNow() { return static_cast<float>(getTimeSeconds()); }
}  // namespace

int millisecondsUntilTick(float lastTime, float now) {
    // The same float subtraction the tick uses, so the two agree on "due".
    float elapsed = now - lastTime;
    if (elapsed >= TICK_SECONDS) {
        return 0;
    }
    const int tickMs = static_cast<int>(std::ceil(TICK_SECONDS * 1000.0f));
    int waitMs = static_cast<int>(std::ceil((TICK_SECONDS - elapsed) * 1000.0f));
    if (waitMs < 1) {
        return 1;
    }
    return waitMs > tickMs ? tickMs : waitMs;
}

Engine::~Engine() {
    releaseTextures();
    window_.release();
    saveAtEndOfRun();
    platformClearEndOfRunSave(this);
}

void Engine::saveAtEndOfRun() {
    std::call_once(endOfRunSaved_, [this] {
        options_.saveIfChanged();
        for (const std::function<void()>& save : endOfRunSaves_) {
            save();
        }
    });
}

void Engine::addEndOfRunSave(std::function<void()> save) { endOfRunSaves_.push_back(std::move(save)); }

bool Engine::init(const char* title, void* instance, Color4 clear, float nearPlane, float farPlane,
                  OptionsMode optionsMode) {
    // An end the run cannot return from (the display lost, a stop signal it did
    // not act on in time) still saves what Q would.
    platformSetEndOfRunSave([](void* engine) { static_cast<Engine*>(engine)->saveAtEndOfRun(); }, this);
    seedRandom();
    if (optionsMode != OPTIONS_DEFAULTS) {
        scores_.locate();
        options_.bestScoreLine = scores_.bestLine();
        options_.bestReplayThere = scores_.hasBestReplay();
    }
    if (!configureOptions(optionsMode, instance, title)) {
        return false;
    }
    if (static_cast<long long>(options_.width) * options_.height == 0) {
        options_.resolutionIndex = RESOLUTION_SCREEN;
    }
    if (!window_.open(title, options_)) {
        reportStartFailure("cannot open the game window", platformWindowFailure());
        return false;
    }
    const PlayOptions play = playOptions();
    view_.setUp(clear, nearPlane, farPlane, play.lights, window_.drawableWidth(),
                window_.drawableHeight());
    controls_.setDrawableSize(window_.drawableWidth(), window_.drawableHeight());
    resetTextureCache(play.hiQualTex);
    if (options_.joystick != 0) {
        loadPadMappings();
        controls_.openPad();
    }
    lastTime_ = clockNow();
    running_ = true;
    return true;
}

bool Engine::configureOptions(OptionsMode optionsMode, void* instance, const char* title) {
    for (;;) {
        if (!options_.configure(optionsMode, instance, title)) {
            return false;
        }
        if (!options_.watchBestReplay) {
            return true;
        }
        const ReplayReading reading = scores_.readBestReplay();
        if (reading.status.ok()) {
            watch(reading.replay);
            return true;
        }
        // One plain message, and the launcher again, without Watch.
        showError(replayProblemSentence(reading.status).c_str(), "", SEVERITY_ERROR);
        options_.bestReplayThere = false;
        options_.watchBestReplay = false;
    }
}

void Engine::startHeadless(const PlayOptions& play) {
    options_.lights = play.lights ? 1 : 0;
    options_.music = play.music ? 1 : 0;
    options_.hiQualTex = play.hiQualTex ? 1 : 0;
    lastTime_ = clockNow();
    running_ = true;
}

void Engine::beginPlay(LoopGame& game) {
    takeMessages();
    controls_.discardPending();
    if (watching_) {
        setRandomState(watched_.start.randomState);
        game.startRecordedGame(watched_.start.label.c_str());
    }
    lastTime_ = clockNow();
}

bool Engine::runIteration(LoopGame& game) {
    waitForTickOrMessage(game);
    takeMessages();
    stopIfEndRequested();
    TickInput input;
    const TickTaken tick = running_ ? takeTick(game, input) : NO_TICK;
    if (tick == TICK_TO_STEP) {
        game.step(input);
    }
    if (tick != NO_TICK && running_) {
        // During a down the pointer stays in a focused window; before the hike,
        // while paused and after a score the player may want the title bar.
        window_.confinePointer(options_.windowed != 0 && controls_.hasFocus() && game.downInPlay() &&
                               !game.paused() && !watching_);
        drawIfDue(game);
    }
    return running_;
}

void Engine::waitForTickOrMessage(const LoopGame& game) {
    if (!running_ || shutdownRequested() || platformEndSignal() != 0) {
        return;
    }
    // Nothing to do until the next tick: sleep until it is due or an event
    // arrives, instead of spinning a core.
    int waitMs = millisecondsUntilTick(lastTime_, clockNow());
    if (game.paused() && window_.hidden()) {
        waitMs = HIDDEN_PAUSE_WAIT_MS;
    }
    WindowMessage message;
    if (waitMs > 0 && platformWaitMessage(message, waitMs)) {
        handleMessage(message);
    }
}

void Engine::takeMessages() {
    WindowMessage message;
    while (running_ && platformPollMessage(message)) {
        handleMessage(message);
    }
}

Engine::TickTaken Engine::takeTick(LoopGame& game, TickInput& input) {
    const float now = clockNow();
    const float elapsed = now - lastTime_;
    const TickTaken tick =
        watching_ ? takeWatchedTick(game, elapsed, input) : takeLiveTick(game, elapsed, input);
    if (tick != NO_TICK) {
        lastTime_ = now;  // else it stays, so the time accumulates until the tick
    }
    return tick;
}

Engine::TickTaken Engine::takeLiveTick(const LoopGame& game, float elapsed, TickInput& input) {
    if (elapsed < TICK_SECONDS) {
        return NO_TICK;
    }
    if (game.newGameNext()) {
        recording_ = Replay();
        const PlayOptions play = playOptions();
        recording_.start = ReplayStart{play.lights, play.music, play.hiQualTex,
                                       randomState(), game.labelShown()};
    }
    input = controls_.takeTick(elapsed, game.scoreSoundsHeard());
    recording_.ticks.push_back(input);
    return TICK_TO_STEP;
}

void Engine::drawIfDue(LoopGame& game) {
    if (!window_.isOpen() || window_.hidden()) {
        return;  // a window nobody sees costs no drawing; its repaint stays due
    }
    const bool repaint = window_.takeRepaintDue();
    if (!repaint && (game.pictureHeld() || (!drawEveryTick_ && game.pictureUnchanged()))) {
        return;
    }
    drawFrame(game);
}

void Engine::drawFrame(LoopGame& game) {
    view_.beginFrame();
    view_.applyCamera(game.viewMatrix());
    game.draw();
    if (frameObserver_) {
        frameObserver_();
    }
    view_.endFrame();
    window_.swapBuffers();
}

PlayOptions Engine::playOptions() const {
    if (watching_) {
        return PlayOptions{watched_.start.lights, watched_.start.music, watched_.start.hiQualTex};
    }
    return PlayOptions{options_.lights != 0, options_.music != 0, options_.hiQualTex != 0};
}

void Engine::enterScore(int score) {
    if (watching_) {
        return;  // a replay is no game of the player's
    }
    // The game holding the best score is kept to be watched again.
    if (scores_.enterNowRanked(score) == 0) {
        scores_.saveBestReplay(recording_);
    }
}

void Engine::stop() {
    window_.release();
    running_ = false;
}

void Engine::stopIfEndRequested() {
    // An error box or a stop signal asked the program to end: as Q does, give the
    // desktop its display back now.
    if ((shutdownRequested() || platformEndSignal() != 0) && running_) {
        stop();
    }
}
