#pragma once

#include <vector>

class Game;

// What the picture on screen was drawn from. Under a software renderer, clearing,
// drawing and showing a frame costs as much whether or not it differs from the one
// before, and while the game waits for the hike nothing moves at all; so a step
// that changed nothing the frame is drawn from is not drawn again. The record
// holds the very bytes the frame depends on (camera, lights, window size, each
// model's place, texture and list, the label's pixels), not a hash, so two
// different pictures can never pass for the same.
class ShownPicture {
public:
    // True when drawing the game now would give the picture already on screen:
    // one was drawn and nothing it was drawn from changed.
    bool matches(const Game& game) const;
    // Notes what a frame being drawn now is drawn from.
    void record(const Game& game);

private:
    std::vector<unsigned char> drawnFrom_;  // empty until the first frame
};
