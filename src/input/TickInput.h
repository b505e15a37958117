#pragma once

// What the player asks of the game at one tick, put together from the keyboard,
// the mouse, the pad and the window's focus in one place (Engine::readTickInput).
enum PauseAsk {
    PAUSE_ASK_NONE = 0,
    PAUSE_ASK_TOGGLE,  // P or the pad's Start
    PAUSE_ASK_HOLD,    // the window lost the focus: pause, or stay paused
};

struct TickInput {
    float steerX = 0.0f;  // [-1, 1]: the values of Game::steerX and Game::steerY
    float steerY = 0.0f;
    bool hike = false;
    bool kick = false;
    PauseAsk pause = PAUSE_ASK_NONE;
};
