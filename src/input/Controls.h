#pragma once

#include <cstdint>

#include "input/Gamepad.h"
#include "input/Joystick.h"
#include "input/TickInput.h"
#include "platform/WindowMessage.h"

// The player's controls: every key, pointer, pad and focus event between two
// ticks goes in here, and each tick takes out exactly one record (takeTick). A
// press and release between two ticks still counts once at the next tick.
class Controls {
public:
    // One input event; now is the game's clock in seconds (the click that brings
    // the focus back is told apart by its time).
    void handle(const WindowMessage& message, double now);
    // The drawable area the pointer's pixels are measured in.
    void setDrawableSize(int width, int height);
    // Opens device 0 as the pad (at start, and when a device is plugged in).
    void openPad();
    // The record of one tick: the pad is read here, once, and every press and
    // focus loss since the last tick is taken.
    TickInput takeTick(float stepSeconds, bool scoreSoundsHeard);
    // Forgets what came before play began (the focus an error box took while the
    // game loaded, a click on the launcher).
    void discardPending();
    bool hasFocus() const { return hasFocus_; }
    // How many records were taken: one per tick, never more.
    long ticksTaken() const { return ticksTaken_; }

private:
    struct Button {
        bool keyHeld = false;    // by the keyboard
        bool mouseHeld = false;  // by a mouse button
        bool padHeld = false;    // by the pad, at its last read
        bool pressed = false;    // went down since the last tick
    };
    void press(Button& button, bool& source, bool down);
    bool focusingClick(const WindowMessage& message, double now);
    void followKey(std::uint32_t key, bool down);
    void followPad();
    void steer(TickInput& input) const;
    static ButtonTick take(Button& button);

    Button hike_;
    Button kick_;
    bool padStartHeld_ = false;   // the pad's Start at its last read
    bool pausePressed_ = false;
    bool steerKeys_[4] = {};      // left, up, right, down
    float pointerX_ = 0.0f;
    float pointerY_ = 0.0f;
    bool padAnswers_ = false;
    float padX_ = 0.0f;
    float padY_ = 0.0f;
    int drawableWidth_ = 0;
    int drawableHeight_ = 0;
    bool hasFocus_ = true;
    bool focusLost_ = false;
    bool focusClickDue_ = false;
    double focusGainedAt_ = 0.0;
    Joystick joystick_;
    Gamepad pad_;
    long ticksTaken_ = 0;
};
