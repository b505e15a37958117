#pragma once

#include <SDL.h>

#include "platform/Window.h"

// Inside the platform layer only: what a PlatformWindow handle holds, shared by
// the files that open the window and that place it on the desktop.
struct PlatformWindow {
    SDL_Window* window = nullptr;
    bool fullScreen = false;  // opened full screen with a display-mode change, still in force
    WindowFitRule fit = nullptr;  // keeps it on the desktop (null: nothing does)
    // The window's place and size before the player switched to full screen.
    SDL_Rect beforeFullScreen = {0, 0, 0, 0};
};

// Keeps a window that is not full screen, title bar and frame included, inside
// the desktop's usable area by the fit rule (null: leaves it as it is).
void fitWindowOnDesktop(SDL_Window* window, WindowFitRule fit);

// After a window that opened full screen became a window, the window manager's
// frame arrives with later events: fits the window again once it is known.
// Called as events are taken from the queue; nothing to do otherwise.
void fitWindowOnceFramed();
