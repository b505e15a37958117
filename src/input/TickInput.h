#pragma once

// Everything from outside the game that decides its next step, put together once
// per tick (Controls::takeTick) or read back from a replay. The game reads nothing
// else, so a game is a function of its start, the random generator's state and
// the records of its ticks.

// A button at one tick: whether it is down now, and whether it went down since the
// last tick. A tap shorter than a tick shows as pressed without held, so it still
// counts once.
struct ButtonTick {
    bool held = false;
    bool pressed = false;

    bool asked() const { return held || pressed; }
};

struct TickInput {
    // The time since the last tick, in seconds: at least one tick's length.
    float stepSeconds = 0.0f;
    // [-1, 1] each: left and up are -1. Up runs to the goal, as the pointer above
    // the window's middle does.
    float steerX = 0.0f;
    float steerY = 0.0f;
    ButtonTick hike;  // Space, the left button, the pad's A
    ButtonTick kick;  // Control, the right button, the pad's B or right trigger
    // P or the pad's Start went down since the last tick (a held P's repeats count
    // again, as the pause key always did).
    bool pausePressed = false;
    // The window lost the keyboard focus since the last tick.
    bool focusLost = false;
    // The theme or the whistle of the last score or lost game is still to be heard:
    // the picture holds until both are over.
    bool scoreSoundsHeard = false;
};
