#include "platform/Window.h"

#include <SDL.h>

#include <cstring>
#include <string>

#include "platform/DisplayServer.h"
#include "platform/EndSignals.h"
#include "platform/MessageBoxOwner.h"
#include "platform/WindowHandle.h"

struct PlatformGlContext {
    SDL_GLContext context = nullptr;
};

namespace {

// Why the last window step failed, for the player (platformWindowFailure).
std::string gWindowFailure;

bool fail(const std::string& what) {
    const char* reason = SDL_GetError();
    gWindowFailure = reason[0] != '\0' ? what + ": " + reason : what;
    return false;
}

// Drivers that draw into memory only. SDL falls back to them when no display
// answers, and the game would then run where nobody can see it.
bool showsNothing(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// SDL reads SDL_VIDEODRIVER through this hint: whatever the player names there is
// what the player gets, invisible or not.
bool playerChoseVideoDriver() {
    const char* chosen = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    return chosen != nullptr && chosen[0] != '\0';
}

bool startVideoOnce(bool playerChose) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return fail("SDL's video start failed");
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!playerChose && showsNothing(driver)) {
        gWindowFailure = std::string("SDL fell back to its \"") + driver +
                         "\" video driver, which shows nothing";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    return true;
}

// The first try lets SDL pick any driver that shows something (X, or Wayland on
// such a desktop). When all of them failed, only the X display can still be
// waking up: later tries ask for it alone, so the others do not complain again
// at every try.
bool startVideoWhileDisplayRefuses() {
    const bool playerChose = playerChoseVideoDriver();
    bool firstTry = true;
    const bool started = platformRetryWhileDisplayRefuses([playerChose, &firstTry]() {
        if (!firstTry && !playerChose) {
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
        }
        firstTry = false;
        return startVideoOnce(playerChose);
    });
    if (!playerChose) {
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    }
    return started;
}

}  // namespace

const char* platformWindowFailure() { return gWindowFailure.c_str(); }

bool platformInitVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return true;
    }
    // The game window opens its own connection to the display, which may refuse
    // for a moment just like the launcher's.
    if (startVideoWhileDisplayRefuses()) {
        platformEndRunOnDisplayLoss();
        return true;
    }
    const std::string absence = platformDisplayAbsence();
    const std::string display =
        absence.empty() ? "display " + platformQuotedDisplayName() + " did not answer for " +
                              std::to_string(DISPLAY_PATIENCE_MS / 1000) + " s"
                        : absence;
    gWindowFailure = display + ": " + gWindowFailure;
    return false;
}

bool platformDesktopSize(int& width, int& height) {
    if (!platformInitVideo()) {
        return false;
    }
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return fail("the desktop's size is unknown");
    }
    width = mode.w;
    height = mode.h;
    return true;
}

namespace {

constexpr int MIN_WINDOW_WIDTH = 160;
constexpr int MIN_WINDOW_HEIGHT = 120;

void requestGlAttributes() {
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The drawing code uses the fixed-function pipeline and display lists.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

// The display's mode nearest width x height (any colour depth and refresh rate);
// false when the display offers none that large.
bool closestMode(int width, int height, SDL_DisplayMode& closest) {
    SDL_DisplayMode wanted = {};
    wanted.w = width;
    wanted.h = height;
    return SDL_GetClosestDisplayMode(0, &wanted, &closest) != nullptr;
}

// Whether the display really runs the mode the window asked for.
bool displayRuns(const SDL_DisplayMode& mode) {
    SDL_DisplayMode current;
    return SDL_GetCurrentDisplayMode(0, &current) == 0 && current.w == mode.w &&
           current.h == mode.h;
}

}  // namespace

PlatformWindow* platformCreateWindow(const char* title, int width, int height, bool fullScreen,
                                     WindowFitRule fit) {
    if (width <= 0 || height <= 0) {
        gWindowFailure = "no window can be " + std::to_string(width) + " x " + std::to_string(height);
        return nullptr;
    }
    if (!platformInitVideo()) {
        return nullptr;
    }
    requestGlAttributes();
    SDL_DisplayMode mode = {};
    // Created hidden: the display mode changes when the window is first shown.
    // Its size is in screen points; on a high-density display the drawable area
    // has more pixels, and the picture uses them all. The player may resize and
    // maximise it (a full-screen one too, once switched to a window).
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE |
                   SDL_WINDOW_ALLOW_HIGHDPI;
    int x = SDL_WINDOWPOS_CENTERED;
    int y = SDL_WINDOWPOS_CENTERED;
    if (fullScreen) {
        if (!closestMode(width, height, mode)) {
            fail("the display offers no full-screen mode of " + std::to_string(width) + " x " +
                 std::to_string(height) + " or larger");
            return nullptr;
        }
        // Created full screen at the mode's size in the display's corner: a window
        // manager would resize a full-screen window, but without one (a bare X
        // server) nobody else does.
        flags |= SDL_WINDOW_FULLSCREEN;
        SDL_Rect bounds = {0, 0, 0, 0};
        SDL_GetDisplayBounds(0, &bounds);
        x = bounds.x;
        y = bounds.y;
        width = mode.w;
        height = mode.h;
    }
    SDL_Window* window = nullptr;
    {
        // SDL tries an OpenGL context of its own while it makes the window; one
        // that fails must not end the process. The real context, made next,
        // reports the failure.
        XErrorTrap trap;
        window = SDL_CreateWindow(title, x, y, width, height, flags);
        if (window != nullptr) {
            trap.firstError(xDisplayOf(window));
        }
    }
    if (window == nullptr) {
        fail("the window was refused");
        return nullptr;
    }
    if (fullScreen && SDL_SetWindowDisplayMode(window, &mode) != 0) {
        fail("the display mode was refused");
        SDL_DestroyWindow(window);
        return nullptr;
    }
    // Small enough for any desktop, large enough for the score label.
    SDL_SetWindowMinimumSize(window, MIN_WINDOW_WIDTH, MIN_WINDOW_HEIGHT);
    if (!fullScreen) {
        // A size larger than the desktop shrinks before the window appears, and
        // again once the window manager's title bar and frame are known.
        fitWindowOnDesktop(window, fit);
    }
    SDL_ShowWindow(window);
    if (!fullScreen) {
        // The frame's size arrives with the events of the window's first showing.
        SDL_PumpEvents();
        fitWindowOnDesktop(window, fit);
    }
    if (fullScreen && !displayRuns(mode)) {
        fail("the display did not switch to " + std::to_string(mode.w) + " x " + std::to_string(mode.h));
        SDL_DestroyWindow(window);
        return nullptr;
    }
    watchWindowCoverage(window);
    platformWatchSessionEnd(window);
    SDL_RaiseWindow(window);
    // Without a window manager nobody else hands the new window the keyboard.
    SDL_SetWindowInputFocus(window);
    PlatformWindow* result = new PlatformWindow;
    result->window = window;
    result->fullScreen = fullScreen;
    result->fit = fit;
    // Error boxes raised from now on stay above the game, even in full screen.
    setMessageBoxOwner(window);
    return result;
}

PlatformGlContext* platformCreateGlContext(PlatformWindow* window) {
    if (window == nullptr) {
        return nullptr;
    }
    // Without a usable OpenGL driver the X server answers with an error that
    // Xlib's own handler turns into an exit in the middle of SDL's calls.
    XErrorTrap trap;
    _XDisplay* display = xDisplayOf(window->window);
    SDL_GLContext context = SDL_GL_CreateContext(window->window);
    if (context == nullptr) {
        const std::string xError = trap.firstError(display);
        fail(xError.empty() ? "no OpenGL context" : "no OpenGL context: " + xError);
        return nullptr;
    }
    const bool madeCurrent = SDL_GL_MakeCurrent(window->window, context) == 0;
    const std::string xError = trap.firstError(display);
    if (!madeCurrent || !xError.empty()) {
        if (madeCurrent) {
            gWindowFailure = "no OpenGL context: " + xError;
        } else {
            fail("the OpenGL context cannot be made current");
        }
        SDL_GL_MakeCurrent(window->window, nullptr);
        SDL_GL_DeleteContext(context);
        trap.firstError(display);  // what the deletion stirs up stays in the trap
        return nullptr;
    }
    PlatformGlContext* result = new PlatformGlContext;
    result->context = context;
    return result;
}

void platformDeleteGlContext(PlatformGlContext* context) {
    if (context == nullptr) {
        return;
    }
    SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(context->context);
    delete context;
}

void platformConfinePointer(PlatformWindow* window, bool confined) {
    if (window != nullptr) {
        SDL_SetWindowMouseGrab(window->window, confined ? SDL_TRUE : SDL_FALSE);
    }
}

// The confinement asked for; the library applies it only while the window has the
// focus.
bool platformPointerConfined(PlatformWindow* window) {
    return window != nullptr && (SDL_GetWindowFlags(window->window) & SDL_WINDOW_MOUSE_GRABBED) != 0;
}

void platformRestoreDisplayMode(PlatformWindow* window) {
    if (window == nullptr) {
        return;
    }
    if (window->fullScreen) {
        // Leaving full screen puts the desktop's own mode back.
        SDL_SetWindowFullscreen(window->window, 0);
    }
    SDL_HideWindow(window->window);
}
