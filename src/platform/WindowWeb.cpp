// The game window in a browser: the page's one canvas, with a WebGL context under
// Emscripten's fixed-function emulation. The browser has no display to wait for,
// no display modes and no frame around the canvas; "full screen" is the page's
// own full screen, which the launcher's Start asks for (the browser grants it
// only to a click), with the canvas scaled to the screen.
#include "platform/Window.h"

#include <SDL.h>
#include <emscripten.h>

#include <string>

#include "platform/GlCompatWeb.h"
#include "platform/MessageBoxOwner.h"
#include "platform/WindowHandle.h"

struct PlatformGlContext {
    SDL_GLContext context = nullptr;
};

namespace {

std::string gWindowFailure;

bool fail(const std::string& what) {
    const char* reason = SDL_GetError();
    gWindowFailure = reason[0] != '\0' ? what + ": " + reason : what;
    return false;
}

// The page shows the canvas in place of its launcher and fits it to the screen
// while the page is full screen.
EM_JS(void, tellPageWindowOpened, (int width, int height, int fullScreen), {
    if (Module['zfWindowOpened']) {
        Module['zfWindowOpened'](width, height, fullScreen != 0);
    }
});

EM_JS(void, leavePageFullScreen, (), {
    if (document.fullscreenElement && document.exitFullscreen) {
        document.exitFullscreen().catch(function() {});
    }
});

}  // namespace

const char* platformWindowFailure() { return gWindowFailure.c_str(); }

bool platformInitVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return true;
    }
    // SDL must never sleep on the page's thread: the browser would freeze.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return fail("SDL's video start failed");
    }
    // The game reads keys, never text: with text input on, SDL would let the
    // browser act on Space and the letters too (scrolling the page, say).
    SDL_StopTextInput();
    return true;
}

// The screen's size: what the page fills when it goes full screen.
bool platformDesktopSize(int& width, int& height) {
    if (!platformInitVideo()) {
        return false;
    }
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return fail("the screen's size is unknown");
    }
    width = mode.w;
    height = mode.h;
    return true;
}

// The canvas sits in the page, which keeps it in view: no fit rule to apply.
PlatformWindow* platformCreateWindow(const char* title, int width, int height, bool fullScreen,
                                     WindowFitRule /*fit*/) {
    if (width <= 0 || height <= 0) {
        gWindowFailure = "no window can be " + std::to_string(width) + " x " + std::to_string(height);
        return nullptr;
    }
    if (!platformInitVideo()) {
        return nullptr;
    }
    // WebGL 1 (OpenGL ES 2), which the emulation runs on, with a depth buffer
    // and no alpha: the game clears to a transparent black that must not let
    // the page show through.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The canvas holds exactly the chosen resolution: no resizing by the page,
    // no extra pixels on a high-density screen.
    SDL_Window* window = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_OPENGL);
    if (window == nullptr) {
        fail("the canvas was refused");
        return nullptr;
    }
    PlatformWindow* result = new PlatformWindow;
    result->window = window;
    result->fullScreen = fullScreen;
    setMessageBoxOwner(window);
    tellPageWindowOpened(width, height, fullScreen ? 1 : 0);
    return result;
}

PlatformGlContext* platformCreateGlContext(PlatformWindow* window) {
    if (window == nullptr) {
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window->window);
    if (context == nullptr) {
        fail("no WebGL context");
        return nullptr;
    }
    if (SDL_GL_MakeCurrent(window->window, context) != 0) {
        fail("the WebGL context cannot be made current");
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    webGlCompatStart();
    PlatformGlContext* result = new PlatformGlContext;
    result->context = context;
    return result;
}

void platformDeleteGlContext(PlatformGlContext* context) {
    if (context == nullptr) {
        return;
    }
    webGlCompatStop();
    SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(context->context);
    delete context;
}

// A page cannot keep the pointer inside its canvas without locking it away
// altogether, which steering by the pointer's place cannot use.
void platformConfinePointer(PlatformWindow*, bool) {}

bool platformPointerConfined(PlatformWindow*) { return false; }

void platformRestoreDisplayMode(PlatformWindow* window) {
    if (window != nullptr) {
        leavePageFullScreen();
    }
}
