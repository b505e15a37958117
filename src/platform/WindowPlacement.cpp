// The game window on the desktop: kept inside the usable area, and switched
// between a window and full screen at the desktop's own resolution.
#include <SDL.h>

#include "platform/Window.h"
#include "platform/WindowHandle.h"

namespace {

// The window that left a full-screen start and still waits for its frame (0: none),
// and the rule it is fitted by.
Uint32 gWindowAwaitingFrame = 0;
WindowFitRule gFitAwaitingFrame = nullptr;

// The frame the window manager has drawn around the window, if it has told yet.
bool knownFrame(SDL_Window* window, FrameBorders& borders) {
    if (SDL_GetWindowBordersSize(window, &borders.top, &borders.left, &borders.bottom,
                                 &borders.right) != 0) {
        borders = FrameBorders();
        return false;
    }
    return borders.top != 0 || borders.left != 0 || borders.bottom != 0 || borders.right != 0;
}

}  // namespace

void fitWindowOnDesktop(SDL_Window* window, WindowFitRule fit) {
    if (fit == nullptr) {
        return;
    }
    const int display = SDL_GetWindowDisplayIndex(window);
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) != 0) {
        return;  // nothing known to fit into
    }
    // Known only once a window manager has framed the window; 0 without one.
    FrameBorders borders;
    knownFrame(window, borders);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    ScreenRect placed;
    if (fit(width, height, borders, ScreenRect{usable.x, usable.y, usable.w, usable.h}, placed)) {
        SDL_SetWindowSize(window, placed.width, placed.height);
        SDL_SetWindowPosition(window, placed.x, placed.y);
    }
}

void fitWindowOnceFramed() {
    SDL_Window* window = gWindowAwaitingFrame != 0 ? SDL_GetWindowFromID(gWindowAwaitingFrame) : nullptr;
    FrameBorders borders;
    if (window == nullptr || !knownFrame(window, borders)) {
        return;
    }
    gWindowAwaitingFrame = 0;
    fitWindowOnDesktop(window, gFitAwaitingFrame);
}

bool platformFullScreen(PlatformWindow* window) {
    const Uint32 fullScreenFlags = SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP;
    return window != nullptr && (SDL_GetWindowFlags(window->window) & fullScreenFlags) != 0;
}

bool platformToggleFullScreen(PlatformWindow* window) {
    if (window == nullptr) {
        return false;
    }
    if (platformFullScreen(window)) {
        // Back to the window's own size and place (a display-mode change is undone);
        // a window first opened full screen, at the mode's size, still has to fit
        // on the desktop.
        SDL_SetWindowFullscreen(window->window, 0);
        if (window->fullScreen) {
            window->fullScreen = false;
            fitWindowOnDesktop(window->window, window->fit);
            // A window manager frames it again only later: the desktop's size
            // fits without the frame, but not with its title bar.
            gWindowAwaitingFrame = SDL_GetWindowID(window->window);
            gFitAwaitingFrame = window->fit;
        } else {
            // A window manager puts it back itself; without one nobody else does.
            const SDL_Rect& before = window->beforeFullScreen;
            SDL_SetWindowSize(window->window, before.w, before.h);
            SDL_SetWindowPosition(window->window, before.x, before.y);
        }
    } else {
        gWindowAwaitingFrame = 0;
        SDL_Rect& before = window->beforeFullScreen;
        SDL_GetWindowPosition(window->window, &before.x, &before.y);
        SDL_GetWindowSize(window->window, &before.w, &before.h);
        // Full screen at the desktop's own resolution: no mode change, so switching
        // back and forth is quick and the desktop keeps its layout.
        SDL_SetWindowFullscreen(window->window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    return platformFullScreen(window);
}
