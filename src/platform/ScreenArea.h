#pragma once

// Places and sizes on the desktop, in screen points, as the windowing library
// reports them. The rules that fit a window into them are pure arithmetic and
// live above this layer (core/WindowFit.h).

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The frame the window manager draws around the drawable area (title bar on top).
struct FrameBorders {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

// The rule that keeps a window inside the desktop's usable area: given the
// drawable area's size, the frame around it and the usable area, false when the
// window may stay as it is, otherwise true with the drawable area's new place and
// size (the game's rule is fitWindowInArea).
using WindowFitRule = bool (*)(int width, int height, const FrameBorders& borders,
                               const ScreenRect& area, ScreenRect& placed);

// The rule that places a window of that size and frame in the usable area: its
// drawable area's place and size (the game's rule is centreInArea).
using WindowPlaceRule = ScreenRect (*)(int width, int height, const FrameBorders& borders,
                                       const ScreenRect& area);
