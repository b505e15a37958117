#include "app/Engine.h"

#include "platform/OpenGl.h"

#include <cmath>

#include "app/EngineGl.h"
#include "core/ErrorMessages.h"
#include "core/StartReport.h"
#include "app/FrameTick.h"
#include "math/Clock.h"
#include "math/Random.h"
#include "model/TextureCache.h"
#include "platform/Events.h"
#include "platform/Window.h"

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
    options.saveIfChanged();
}

bool Engine::init(const char* title, void* instance, Color4 clear, float nearPlane, float farPlane,
                  OptionsMode optionsMode) {
    clearColor = clear;
    seedRandom();
    hInstance = instance;
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
        joystick.open(0);  // an absent joystick simply never reports
    }
    lastTime = static_cast<float>(getTimeSeconds());
    running = true;
    return true;
}

void Engine::resetTimer() { lastTime = static_cast<float>(getTimeSeconds()); }

bool Engine::pumpMessages() {
    if (joystick.poll()) {
        stickX = joystick.axes[0];
        stickY = joystick.axes[1];
        keyDown[VK_SPACE_KEY] = (joystick.buttons & JOYSTICK_HIKE_BUTTON) != 0 ? 1 : 0;
    }
    WindowMessage message;
    if (platformPollMessage(message)) {
        handleMessage(message);
    } else if (running && !shutdownRequested()) {
        // Nothing to do until the next tick: sleep until it is due or an event
        // arrives, instead of spinning a core.
        int waitMs = millisecondsUntilTick(lastTime, static_cast<float>(getTimeSeconds()));
        if (waitMs > 0 && platformWaitMessage(message, waitMs)) {
            handleMessage(message);
        }
    }
    stopIfShutdownRequested();
    return running && !shutdownRequested();
}

bool Engine::pumpMessagesWhileWaiting(int timeoutMs) {
    // The joystick is not polled: its buttons are game input only.
    WindowMessage message;
    if (running && !shutdownRequested() && platformWaitMessage(message, timeoutMs)) {
        handleMessageWhileWaiting(message);
        while (running && platformPollMessage(message)) {
            handleMessageWhileWaiting(message);
        }
    }
    stopIfShutdownRequested();
    return running && !shutdownRequested();
}

void Engine::stopIfShutdownRequested() {
    if (shutdownRequested() && running) {
        // An error box asked the program to end: give the desktop its display back now.
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
    if (keyDown[VK_P_KEY] != 0) {
        paused = !paused;
        keyDown[VK_P_KEY] = 0;  // one press toggles once
        pauseChange = paused ? PAUSE_BEGAN : PAUSE_ENDED;
    }
    if (paused) {
        return 0.0f;
    }
    beginDrawing();
    return frameTime;
}

PauseChange Engine::takePauseChange() {
    const PauseChange change = pauseChange;
    pauseChange = PAUSE_UNCHANGED;
    return change;
}

void Engine::beginDrawing() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();  // saves the pure projection; endFrame restores it
}

void Engine::endFrame() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    if (hwnd != nullptr) {
        platformSwapBuffers(hwnd);
    }
}
