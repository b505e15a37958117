#include "platform/WindowVisibility.h"

// Windows tells a program of its minimised window, which the windowing library
// reports itself; a window merely covered by others is not reported, so it keeps
// drawing as before.
void watchWindowCoverage(SDL_Window*) {}

bool translateCoverage(const SDL_Event&, WindowMessage&) { return false; }
