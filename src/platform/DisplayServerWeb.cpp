#include "platform/DisplayServer.h"

// The page has no display server behind it: the browser tells the page when its
// tab is hidden, which the windowing library reports itself as the window hidden
// and shown. Only what the browser build calls is here.
void watchWindowCoverage(SDL_Window*) {}

bool translateCoverage(const SDL_Event&, WindowMessage&) { return false; }
