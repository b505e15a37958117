// The input path: keyboard, mouse, pad and focus put together into what one tick
// asks of the game, the pause it asks for, and where the pointer may go.
#include "app/Engine.h"
#include "math/Clock.h"
#include "platform/Events.h"
#include "platform/Window.h"

bool Engine::readPad(PadRoles& roles) {
    if (!pad.read(joystick, roles)) {
        return false;
    }
    // Start acts once per press, like a key that does not repeat.
    if (roles.start && !controls.startHeld) {
        controls.startPressed = true;
    }
    controls.startHeld = roles.start;
    return true;
}

void Engine::followPad() {
    // At every spin a pad that answers decides the stick and the Space flag: a
    // mouse move or a held Space counts only until the next spin.
    PadRoles roles;
    if (readPad(roles)) {
        stickX = roles.stickX;
        stickY = roles.stickY;
        keyDown[VK_SPACE_KEY] = roles.hike ? 1 : 0;
    }
}

TickInput Engine::readTickInput() {
    TickInput input;
    input.steerX = stickX;
    input.steerY = stickY;
    PadRoles roles;
    if (readPad(roles)) {
        input.steerX = roles.steerX;
        input.steerY = roles.steerY;
        keyDown[VK_SPACE_KEY] = roles.hike ? 1 : 0;
        keyDown[VK_CONTROL_KEY] = roles.kick ? 1 : 0;
    }
    if (keyDown[VK_SPACE_KEY] == 0) {
        controls.hikeHeldOver = false;
    }
    input.hike.held = hikeAsked();
    input.kick.held = kickAsked();
    input.focusLost = controls.focusPauseAsked;
    input.pausePressed = !input.focusLost && (keyDown[VK_P_KEY] != 0 || controls.startPressed);
    return input;
}

bool Engine::hikeAsked() const { return keyDown[VK_SPACE_KEY] != 0 && !controls.hikeHeldOver; }

bool Engine::kickAsked() const { return keyDown[VK_CONTROL_KEY] != 0; }

void Engine::followPauseAsk(const TickInput& input) {
    if (input.focusLost) {
        // A focus lost while already paused changes nothing.
        if (!paused) {
            setPaused(true, true);
        }
    } else if (input.pausePressed) {
        setPaused(!paused, false);
    } else if (paused && controls.pausedByFocus && input.hike.held) {
        // The player is back and asks to play on. That press only resumes: it
        // hikes nothing until it is let go.
        setPaused(false, false);
        controls.hikeHeldOver = true;
    }
    // One press toggles once; a held P's repeats ask again at a later tick.
    keyDown[VK_P_KEY] = 0;
    controls.startPressed = false;
    controls.focusPauseAsked = false;
}

void Engine::setPaused(bool nowPaused, bool byFocus) {
    if (nowPaused == paused) {
        return;
    }
    paused = nowPaused;
    controls.pausedByFocus = nowPaused && byFocus;
    if (nowPaused && byFocus && keyDown[VK_SPACE_KEY] != 0) {
        // A hike held since before the focus went is no press to resume with.
        controls.hikeHeldOver = true;
    }
    pauseChange = paused ? PAUSE_BEGAN : PAUSE_ENDED;
    followPointerRule();
}

void Engine::followFocus(bool focused, bool pausePlay) {
    // Only a focus that comes back can come by a click: the new window has it
    // from the start.
    if (focused && !controls.hasFocus) {
        controls.focusClickDue = true;
        controls.focusGainedAt = getTimeSeconds();
    } else if (!focused && pausePlay && controls.playBegun && !paused) {
        controls.focusPauseAsked = true;
    }
    controls.hasFocus = focused;
    followPointerRule();
}

void Engine::beginPlay() {
    // An error box shown while the game loaded took the focus: that was no focus
    // lost during play.
    WindowMessage message;
    while (running && platformPollMessage(message)) {
        handleMessage(message);
    }
    controls.focusPauseAsked = false;
    controls.playBegun = true;
}

void Engine::setDownInPlay(bool inPlay) {
    if (inPlay != controls.downInPlay) {
        controls.downInPlay = inPlay;
        followPointerRule();
    }
}

void Engine::followPointerRule() {
    // Before the hike, while paused and after a score the player may want the
    // title bar or another window; during a down a stray move must not leave.
    const bool wanted = running && hwnd != nullptr && options.windowed != 0 && controls.hasFocus &&
                        controls.downInPlay && !paused;
    if (wanted != controls.pointerConfined && hwnd != nullptr) {
        platformConfinePointer(hwnd, wanted);
    }
    controls.pointerConfined = wanted;
}
