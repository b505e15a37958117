#pragma once

#include "platform/ScreenArea.h"

// The game window and its OpenGL context. The game never sees the windowing
// library; it holds these opaque handles.
struct PlatformWindow;
struct PlatformGlContext;

// Starts the video service (also needed before any window event can arrive). A
// display that refuses for a moment is tried again. False when no display answers,
// and also when the library would fall back to a driver that shows nothing while
// the player did not ask for one (SDL_VIDEODRIVER).
bool platformInitVideo();

// Why the last failed step of this file failed: the step, the display or size
// concerned and the library's own reason. Empty before any failure.
const char* platformWindowFailure();

// The desktop's size in pixels; false when no display answers.
bool platformDesktopSize(int& width, int& height);

// Opens a window whose drawable area is width x height screen points (on a
// high-density display it has more pixels), or the place and size fit gives it
// on the desktop, title bar included (null: it keeps its size). The player may
// resize and maximise it; fit places it again when it leaves a full-screen start.
// fullScreen switches the display to the closest mode of that size first; null
// when the window or the mode cannot be had.
PlatformWindow* platformCreateWindow(const char* title, int width, int height, bool fullScreen,
                                     WindowFitRule fit);
// A double-buffered RGBA compatibility context with at least 16 depth bits, made
// current on the window; null on failure.
PlatformGlContext* platformCreateGlContext(PlatformWindow* window);
// Makes no context current and deletes the context.
void platformDeleteGlContext(PlatformGlContext* context);
// Whether some OpenGL context is current on this thread (GL deletions need one).
bool platformHasCurrentGlContext();
void platformSwapBuffers(PlatformWindow* window);
// Windowed play keeps the pointer inside the window while it has the focus.
void platformConfinePointer(PlatformWindow* window, bool confined);
bool platformPointerConfined(PlatformWindow* window);
void platformShowPointer(bool visible);
bool platformPointerVisible();
// Gives the desktop its own display mode back after a full-screen run and takes
// the window off the screen.
void platformRestoreDisplayMode(PlatformWindow* window);
void platformDestroyWindow(PlatformWindow* window);
// The drawable area's size in pixels.
void platformDrawableSize(PlatformWindow* window, int& width, int& height);
// Whether the window fills the screen (either way of doing so).
bool platformFullScreen(PlatformWindow* window);
// Switches between full screen at the desktop's own resolution and a window of
// the size and place it had before; returns whether it is now full screen.
bool platformToggleFullScreen(PlatformWindow* window);
