#include "app/Engine.h"

#include "platform/OpenGl.h"

#include <cmath>

#include "app/EngineGl.h"
#include "core/ErrorMessages.h"
#include "core/StartReport.h"
#include "app/FrameTick.h"
#include "app/PadMappings.h"
#include "math/Clock.h"
#include "math/Random.h"
#include "model/TextureCache.h"
#include "platform/EndSignals.h"
#include "platform/Events.h"
#include "platform/RunEnd.h"
#include "platform/Window.h"

namespace {
constexpr int HIDDEN_PAUSE_WAIT_MS = 100;
}  // namespace

int millisecondsUntilTick(float lastTime, float now) {
    // The same float subtraction beginFrame uses, so the two agree on "due".
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

Engine::Engine() {
    // Every field has its starting value from its initialiser: no handles, not
    // running, a zero clear colour, the identity camera, eight dark light slots,
    // an absent joystick and the options' defaults.
}

Engine::~Engine() {
    releaseTextures();
    releaseWindow();
    saveAtEndOfRun();
    platformClearEndOfRunSave(this);
}

void Engine::saveAtEndOfRun() {
    std::call_once(endOfRunSaved_, [this] {
        options.saveIfChanged();
        for (const std::function<void()>& save : endOfRunSaves_) {
            save();
        }
    });
}

void Engine::addEndOfRunSave(std::function<void()> save) { endOfRunSaves_.push_back(std::move(save)); }

bool Engine::init(const char* title, void* instance, Color4 clear, float nearPlane, float farPlane,
                  OptionsMode optionsMode) {
    clearColor = clear;
    // An end the run cannot return from (the display lost, a stop signal it did
    // not act on in time) still saves what Q would.
    platformSetEndOfRunSave([](void* engine) { static_cast<Engine*>(engine)->saveAtEndOfRun(); }, this);
    seedRandom();
    hInstance = instance;
    if (optionsMode != OPTIONS_DEFAULTS) {
        scores.locate();
        options.bestScoreLine = scores.bestLine();
    }
    if (!options.configure(optionsMode, instance, title)) {
        return false;
    }
    if (static_cast<long long>(options.width) * options.height == 0) {
        options.resolutionIndex = RESOLUTION_SCREEN;
    }
    registerWindowClass();
    if (!createWindow(title)) {
        running = false;
        reportStartFailure("cannot open the game window", platformWindowFailure());
        return false;
    }
    applyInitialGlState(*this, nearPlane, farPlane);
    cameraMatrix = &camera;
    resetTextureCache(options.hiQualTex != 0);
    if (options.joystick != 0) {
        loadPadMappings();
        joystick.open(0);  // an absent joystick simply never reports
        pad.open(0);
    }
    lastTime = static_cast<float>(getTimeSeconds());
    running = true;
    return true;
}

void Engine::resetTimer() { lastTime = static_cast<float>(getTimeSeconds()); }

bool Engine::pumpMessages() {
    followPad();
    WindowMessage message;
    if (platformPollMessage(message)) {
        handleMessage(message);
    } else if (running && !shutdownRequested() && platformEndSignal() == 0) {
        // Nothing to do until the next tick: sleep until it is due or an event
        // arrives, instead of spinning a core.
        int waitMs = millisecondsUntilTick(lastTime, static_cast<float>(getTimeSeconds()));
        if (paused && windowHidden) {
            // Paused and unseen, a tick has nothing to do: only a message (or a
            // stop signal, looked for at least this often) can change anything.
            waitMs = HIDDEN_PAUSE_WAIT_MS;
        }
        if (waitMs > 0 && platformWaitMessage(message, waitMs)) {
            handleMessage(message);
        }
    }
    stopIfEndRequested();
    return running && !shutdownRequested();
}

bool Engine::pumpMessagesWhileWaiting(int timeoutMs) {
    // The joystick is not polled: its buttons are game input only.
    WindowMessage message;
    if (running && !shutdownRequested() && platformEndSignal() == 0 &&
        platformWaitMessage(message, timeoutMs)) {
        handleMessageWhileWaiting(message);
        while (running && platformPollMessage(message)) {
            handleMessageWhileWaiting(message);
        }
    }
    stopIfEndRequested();
    return running && !shutdownRequested();
}

void Engine::stopIfEndRequested() {
    // An error box or a stop signal asked the program to end: as Q does, give the
    // desktop its display back now.
    if ((shutdownRequested() || platformEndSignal() != 0) && running) {
        running = false;
        releaseWindow();
    }
}

float Engine::beginFrame() {
    if (!running) {
        return 0.0f;
    }
    float now = static_cast<float>(getTimeSeconds());
    frameTime = now - lastTime;
    if (frameTime < TICK_SECONDS) {
        return 0.0f;  // lastTime stays, so the time accumulates until the next tick
    }
    lastTime = now;
    followPauseAsk(readTickInput());
    if (paused) {
        return 0.0f;
    }
    if (!windowHidden) {
        beginDrawing();  // a window nobody sees costs no drawing
    }
    return frameTime;
}

PauseChange Engine::takePauseChange() {
    const PauseChange change = pauseChange;
    pauseChange = PAUSE_UNCHANGED;
    return change;
}

void Engine::beginDrawing() {
    glPushMatrix();  // saves the pure projection; endFrame restores it
    frameInProgress = true;
    clearDue = true;
}

void Engine::endFrame() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    frameInProgress = false;
    if (hwnd != nullptr) {
        platformSwapBuffers(hwnd);
    }
}

void Engine::skipFrame() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    clearDue = false;
    frameInProgress = false;
}
