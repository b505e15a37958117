#include "platform/WindowVisibility.h"

// The browser tells the page when its tab is hidden, which the windowing
// library reports itself as the window hidden and shown.
void watchWindowCoverage(SDL_Window*) {}

bool translateCoverage(const SDL_Event&, WindowMessage&) { return false; }
