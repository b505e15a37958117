#pragma once

#include "app/GameOptions.h"
#include "platform/WindowMessage.h"

struct PlatformWindow;     // the game window (platform layer)
struct PlatformGlContext;  // its OpenGL context (platform layer)

// The game window with its OpenGL context: opening and closing them, the size of
// the drawable area, whether anybody sees the window, full screen and where the
// pointer may go.
class GameWindow {
public:
    // Starts the video service and opens the window and its context as the
    // options ask (RESOLUTION_SCREEN takes the desktop's size into them). False
    // when any of it cannot be had.
    bool open(const char* title, GameOptions& options);
    // Gives the display mode and the pointer back, deletes the context and takes
    // the window away at once, so a player who quits sees the desktop without
    // waiting for the rest of the shutdown. Nothing when none is open.
    void release();
    // The window's own messages: its size, whether it is seen, full screen.
    void follow(const WindowMessage& message);
    // Keeps the pointer in the window or lets it go; only what changes is asked.
    void confinePointer(bool wanted);
    void swapBuffers();
    // The picture is due again (uncovered, resized, shown): true once per request.
    bool takeRepaintDue();

    bool isOpen() const { return window_ != nullptr; }
    // Nobody can see the window (minimised, unmapped or fully covered).
    bool hidden() const { return hidden_; }
    // The drawable area in pixels now; 0 until a window exists.
    int drawableWidth() const { return drawableWidth_; }
    int drawableHeight() const { return drawableHeight_; }
    // The size it was last given (a window squeezed to nothing keeps its last).
    void setDrawableSize(int width, int height);
    PlatformWindow* handle() const { return window_; }
    PlatformGlContext* context() const { return context_; }

private:
    void toggleFullScreen();

    PlatformWindow* window_ = nullptr;
    PlatformGlContext* context_ = nullptr;
    bool fullScreenModeSet_ = false;  // a display-mode change is in force
    bool pointerConfined_ = false;    // what the window was last told
    bool hidden_ = false;
    bool repaintDue_ = false;
    int drawableWidth_ = 0;
    int drawableHeight_ = 0;
};
