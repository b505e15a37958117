// Opening and closing the game window and its OpenGL context.
#include "app/Engine.h"
#include "platform/Window.h"

// Nothing has to be registered before a window can be made: the video service
// starts as createWindow's first step, so a display that does not answer is
// waited for once.
void Engine::registerWindowClass() {}

bool Engine::createWindow(const char* title) {
    if (!platformInitVideo()) {
        return false;
    }
    int width = options.width;
    int height = options.height;
    if (options.resolutionIndex == RESOLUTION_SCREEN) {
        int desktopWidth = 0;
        int desktopHeight = 0;
        if (platformDesktopSize(desktopWidth, desktopHeight)) {
            width = desktopWidth;
            height = desktopHeight;
        }
    }
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
    // display that offers only a larger mode): the picture and the pointer use
    // the whole area it gave.
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
    drawableWidth = width;
    drawableHeight = height;
    options.width = width;
    options.height = height;
}

void Engine::releaseWindow() {
    if (fullScreenModeSet) {
        platformRestoreDisplayMode(hwnd);
        platformShowPointer(true);
    } else {
        platformConfinePointer(hwnd, false);
    }
    controls.pointerConfined = false;
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
