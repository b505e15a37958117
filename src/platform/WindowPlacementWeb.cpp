// The canvas on the page: it has no frame and no place of its own to keep, and
// full screen is the page's, the canvas scaled into it (the page does that).
#include <SDL.h>
#include <emscripten.h>

#include "platform/Window.h"
#include "platform/WindowHandle.h"

namespace {

EM_JS(int, pageFullScreen, (), { return document.fullscreenElement ? 1 : 0; });

// The browser grants full screen only shortly after the player's own key or
// click, which the game's iteration follows within a tick.
EM_JS(void, askPageFullScreen, (int wanted), {
    if (Module['zfSetFullScreen']) {
        Module['zfSetFullScreen'](wanted != 0);
    }
});

}  // namespace

void fitWindowOnDesktop(SDL_Window*, WindowFitRule) {}

void fitWindowOnceFramed() {}

bool platformFullScreen(PlatformWindow* window) { return window != nullptr && pageFullScreen() != 0; }

// The page changes over when the browser is ready; the answer is what was asked.
bool platformToggleFullScreen(PlatformWindow* window) {
    if (window == nullptr) {
        return false;
    }
    const bool wanted = !platformFullScreen(window);
    askPageFullScreen(wanted ? 1 : 0);
    return wanted;
}
