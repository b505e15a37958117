#pragma once

// The game's time step in seconds for the frame being run: at least 0.03 whenever
// the game updates. Written by the main loop from Engine::beginFrame.
extern float gFrameTime;
