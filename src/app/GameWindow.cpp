// Opening and closing the game window and its OpenGL context, and following what
// the player and the desktop do with it.
#include "app/GameWindow.h"

#include "core/WindowFit.h"
#include "platform/Window.h"

bool GameWindow::open(const char* title, GameOptions& options) {
    // The video service starts first, so a display that does not answer is
    // waited for once.
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
    const bool fullScreen = options.windowed == 0;
    window_ = platformCreateWindow(title, options.width, options.height, fullScreen, fitWindowInArea);
    if (window_ == nullptr) {
        return false;
    }
    fullScreenModeSet_ = fullScreen;
    context_ = platformCreateGlContext(window_);
    if (context_ == nullptr) {
        return false;
    }
    // The display may give another size than the one asked for (full screen on a
    // display that offers only a larger mode, a desktop too small for the window,
    // a high-density display): the picture and the pointer use the whole area it
    // gave.
    int width = 0;
    int height = 0;
    platformDrawableSize(window_, width, height);
    if (width > 0 && height > 0) {
        setDrawableSize(width, height);
    } else {
        setDrawableSize(options.width, options.height);
    }
    if (fullScreen) {
        platformShowPointer(false);
    }
    return true;
}

void GameWindow::setDrawableSize(int width, int height) {
    if (width > 0 && height > 0) {
        drawableWidth_ = width;
        drawableHeight_ = height;
    }
}

void GameWindow::follow(const WindowMessage& message) {
    switch (message.kind) {
        case MESSAGE_RESIZED:
            setDrawableSize(message.x, message.y);
            repaintDue_ = true;
            break;
        case MESSAGE_TOGGLE_FULL_SCREEN:
            toggleFullScreen();
            break;
        case MESSAGE_HIDDEN:
            hidden_ = true;
            break;
        case MESSAGE_SHOWN:
            hidden_ = false;
            repaintDue_ = true;
            break;
        case MESSAGE_EXPOSED:
            repaintDue_ = true;
            break;
        default:
            break;
    }
}

bool GameWindow::takeRepaintDue() {
    const bool due = repaintDue_;
    repaintDue_ = false;
    return due;
}

void GameWindow::toggleFullScreen() {
    if (window_ == nullptr) {
        return;
    }
    const bool fullScreen = platformToggleFullScreen(window_);
    // Either way no display-mode change is left in force: a full-screen start
    // has given the desktop its mode back, and this full screen never takes it.
    fullScreenModeSet_ = false;
    // Full screen hides the pointer, as a full-screen start does.
    platformShowPointer(!fullScreen);
}

void GameWindow::confinePointer(bool wanted) {
    wanted = wanted && window_ != nullptr;
    if (wanted != pointerConfined_ && window_ != nullptr) {
        platformConfinePointer(window_, wanted);
    }
    pointerConfined_ = wanted;
}

void GameWindow::swapBuffers() {
    if (window_ != nullptr) {
        platformSwapBuffers(window_);
    }
}

void GameWindow::release() {
    if (fullScreenModeSet_) {
        platformRestoreDisplayMode(window_);
        fullScreenModeSet_ = false;
    }
    platformConfinePointer(window_, false);
    pointerConfined_ = false;
    // Shown again after any full screen, the one a start asked for or Alt+Enter's.
    platformShowPointer(true);
    if (context_ != nullptr) {
        platformDeleteGlContext(context_);
        context_ = nullptr;
    }
    if (window_ != nullptr) {
        platformDestroyWindow(window_);
        window_ = nullptr;
    }
}
