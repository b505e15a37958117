// Opening and closing the game window and its OpenGL context, and following what
// the player and the desktop do with it.
#include "app/Engine.h"
#include "app/EngineGl.h"
#include "platform/Window.h"

// Nothing has to be registered before a window can be made: the video service
// starts as createWindow's first step, so a display that does not answer is
// waited for once.
void Engine::registerWindowClass() {}

bool Engine::createWindow(const char* title) {
    if (!platformInitVideo()) {
        return false;
    }
    if (options.resolutionIndex == RESOLUTION_SCREEN) {
        // The desktop's size replaces the one in the options, and game.ini gets it.
        int desktopWidth = 0;
        int desktopHeight = 0;
        if (platformDesktopSize(desktopWidth, desktopHeight)) {
            options.width = desktopWidth;
            options.height = desktopHeight;
        }
    }
    const int width = options.width;
    const int height = options.height;
    bool fullScreen = options.windowed == 0;
    hwnd = platformCreateWindow(title, width, height, fullScreen);
    if (hwnd == nullptr) {
        return false;
    }
    fullScreenModeSet = fullScreen;
    hglrc = platformCreateGlContext(hwnd);
    if (hglrc == nullptr) {
        return false;
    }
    // The display may give another size than the one asked for (full screen on a
    // display that offers only a larger mode, a desktop too small for the window,
    // a high-density display): the picture and the pointer use the whole area it
    // gave.
    int drawableWidth = 0;
    int drawableHeight = 0;
    platformDrawableSize(hwnd, drawableWidth, drawableHeight);
    if (drawableWidth > 0 && drawableHeight > 0) {
        adoptWindowSize(drawableWidth, drawableHeight);
    } else {
        adoptWindowSize(width, height);
    }
    if (fullScreen) {
        platformShowPointer(false);
    }
    // Windowed, the pointer is kept in only while a down is played (followPointerRule).
    return true;
}

void Engine::adoptWindowSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;  // a window squeezed to nothing keeps its last picture
    }
    drawableWidth = width;
    drawableHeight = height;
    if (platformHasCurrentGlContext()) {
        applyProjection(*this);
    }
}

void Engine::toggleFullScreen() {
    if (hwnd == nullptr) {
        return;
    }
    const bool fullScreen = platformToggleFullScreen(hwnd);
    // Either way no display-mode change is left in force: a full-screen start
    // has given the desktop its mode back, and this full screen never takes it.
    fullScreenModeSet = false;
    // Full screen hides the pointer, as a full-screen start does.
    platformShowPointer(!fullScreen);
}

void Engine::handleWindowChange(const WindowMessage& message) {
    switch (message.kind) {
        case MESSAGE_RESIZED:
            adoptWindowSize(message.x, message.y);
            repaintDue = true;
            break;
        case MESSAGE_TOGGLE_FULL_SCREEN:
            toggleFullScreen();
            break;
        case MESSAGE_HIDDEN:
            windowHidden = true;
            break;
        case MESSAGE_SHOWN:
            windowHidden = false;
            repaintDue = true;
            break;
        case MESSAGE_EXPOSED:
            repaintDue = true;
            break;
        default:
            break;
    }
}

void Engine::releaseWindow() {
    if (fullScreenModeSet) {
        platformRestoreDisplayMode(hwnd);
    }
    platformConfinePointer(hwnd, false);
    controls.pointerConfined = false;
    // Shown again after any full screen, the one a start asked for or Alt+Enter's.
    platformShowPointer(true);
    if (hglrc != nullptr) {
        platformDeleteGlContext(hglrc);
        hglrc = nullptr;
    }
    // The window goes at once, so a player who quits sees the desktop again
    // without waiting for the rest of the shutdown.
    if (hwnd != nullptr) {
        platformDestroyWindow(hwnd);
        hwnd = nullptr;
    }
}
