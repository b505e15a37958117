#pragma once

// Frames are at least this far apart: the nearest float to 0.03 seconds.
constexpr float TICK_SECONDS = 0.03f;

// How long the main loop may sleep before the next tick is due, in whole
// milliseconds rounded up: 0 when the tick is due now, otherwise 1 up to one
// tick's length (a clock that stepped back never makes the loop sleep longer).
int millisecondsUntilTick(float lastTime, float now);
