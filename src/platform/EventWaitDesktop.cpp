// Waiting for the window's next message on the desktop: the thread sleeps until
// one comes or the time is up (the browser's page may not sleep: EventWaitWeb.cpp).
#include <SDL.h>

#include "platform/EventTranslation.h"
#include "platform/Events.h"
#include "platform/WindowHandle.h"

bool platformWaitMessage(WindowMessage& message, int timeoutMs) {
    // Events the game has no use for (window moves and the like) do not end the
    // wait: it goes on for the rest of the time.
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) {
        // No event queue (a program without a window): nothing can come, so this
        // is a plain wait, not a spin for the caller.
        SDL_Delay(static_cast<Uint32>(timeoutMs > 0 ? timeoutMs : 0));
        return false;
    }
    const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(timeoutMs > 0 ? timeoutMs : 0);
    for (;;) {
        const Uint64 now = SDL_GetTicks64();
        const int remaining = now < deadline ? static_cast<int>(deadline - now) : 0;
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, remaining) == 0) {
            return false;
        }
        fitWindowOnceFramed();  // the frame may have come with this event
        if (translateSdlEvent(event, message)) {
            return true;
        }
        if (remaining == 0) {
            return platformPollMessage(message);
        }
    }
}
