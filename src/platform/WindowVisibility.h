#pragma once

#include <SDL.h>

#include "platform/WindowMessage.h"

// Inside the platform layer only: a window that other windows cover completely is
// as unseen as a minimised one, but the windowing library reports only the
// latter. The X server tells it when asked (X11 here; elsewhere nothing is asked
// and nothing is reported).

// Asks the display to report when the window becomes fully covered or seen again.
void watchWindowCoverage(SDL_Window* window);
// Such a report as MESSAGE_HIDDEN (fully covered) or MESSAGE_SHOWN; false for
// every other event.
bool translateCoverage(const SDL_Event& event, WindowMessage& message);
