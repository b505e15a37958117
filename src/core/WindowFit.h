#pragma once

#include "platform/ScreenArea.h"

// How a window is fitted into the desktop's usable area. Pure arithmetic, kept
// apart from the windowing library so that it can be checked on its own; the
// platform's game window and launcher apply the rules they are handed
// (platformCreateWindow, platformRunLauncher).

// Where a window whose drawable area is width x height, with that frame around
// it, stands centred in area: its drawable area's place and size. One too large
// for area keeps the frame's top-left corner, and so its title bar, in area.
ScreenRect centreInArea(int width, int height, const FrameBorders& borders, const ScreenRect& area);

// A window whose drawable area is width x height with that frame around it: false
// when the whole of it fits into area's size (it keeps its size). Otherwise true,
// and placed is the largest drawable area no larger than asked for whose frame fits
// too, positioned so the frame lies centred in area.
bool fitWindowInArea(int width, int height, const FrameBorders& borders, const ScreenRect& area,
                     ScreenRect& placed);
