// The calls on the game window that every system makes alike: the browser's
// canvas and the desktop's window are both an SDL window with an OpenGL context.
// What differs (opening the window, its context, full screen) is in
// WindowDesktop.cpp and WindowWeb.cpp.
#include <SDL.h>

#include "platform/MessageBoxOwner.h"
#include "platform/Window.h"
#include "platform/WindowHandle.h"

bool platformHasCurrentGlContext() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GL_GetCurrentContext() != nullptr;
}

// In a browser what was drawn shows once the iteration hands the thread back.
void platformSwapBuffers(PlatformWindow* window) {
    if (window != nullptr) {
        SDL_GL_SwapWindow(window->window);
    }
}

void platformShowPointer(bool visible) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }
}

bool platformPointerVisible() {
    return SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE;
}

void platformDestroyWindow(PlatformWindow* window) {
    if (window == nullptr) {
        return;
    }
    releaseMessageBoxOwner(window->window);
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
