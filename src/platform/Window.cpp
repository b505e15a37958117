#include "platform/Window.h"

#include <SDL.h>

struct PlatformWindow {
    SDL_Window* window = nullptr;
    bool fullScreen = false;
};

struct PlatformGlContext {
    SDL_GLContext context = nullptr;
};

namespace {
bool initVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return true;
    }
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}
}  // namespace

bool platformDesktopSize(int& width, int& height) {
    if (!initVideo()) {
        return false;
    }
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        return false;
    }
    width = mode.w;
    height = mode.h;
    return true;
}

PlatformWindow* platformCreateWindow(const char* title, int width, int height, bool fullScreen) {
    if (!initVideo()) {
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    SDL_Window* window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          width, height, flags);
    if (window == nullptr) {
        return nullptr;
    }
    if (fullScreen) {
        SDL_DisplayMode wanted = {};
        wanted.w = width;
        wanted.h = height;
        SDL_DisplayMode closest;
        if (SDL_GetClosestDisplayMode(0, &wanted, &closest) == nullptr ||
            SDL_SetWindowDisplayMode(window, &closest) != 0 ||
            SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
            SDL_DestroyWindow(window);
            return nullptr;
        }
    }
    PlatformWindow* result = new PlatformWindow;
    result->window = window;
    result->fullScreen = fullScreen;
    return result;
}

PlatformGlContext* platformCreateGlContext(PlatformWindow* window) {
    if (window == nullptr) {
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window->window);
    if (context == nullptr) {
        return nullptr;
    }
    if (SDL_GL_MakeCurrent(window->window, context) != 0) {
        SDL_GL_DeleteContext(context);
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

bool platformHasCurrentGlContext() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GL_GetCurrentContext() != nullptr;
}

void platformSwapBuffers(PlatformWindow* window) {
    if (window != nullptr) {
        SDL_GL_SwapWindow(window->window);
    }
}

void platformConfinePointer(PlatformWindow* window, bool confined) {
    if (window != nullptr) {
        SDL_SetWindowGrab(window->window, confined ? SDL_TRUE : SDL_FALSE);
    }
}

void platformShowPointer(bool visible) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }
}

void platformRestoreDisplayMode(PlatformWindow* window) {
    if (window != nullptr && window->fullScreen) {
        SDL_SetWindowFullscreen(window->window, 0);
        SDL_MinimizeWindow(window->window);
    }
}

void platformDestroyWindow(PlatformWindow* window) {
    if (window == nullptr) {
        return;
    }
    SDL_DestroyWindow(window->window);
    delete window;
}

void platformDrawableSize(PlatformWindow* window, int& width, int& height) {
    width = 0;
    height = 0;
    if (window != nullptr) {
        SDL_GL_GetDrawableSize(window->window, &width, &height);
    }
}
