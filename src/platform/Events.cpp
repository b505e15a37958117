// The window's event queue: library events become WindowMessage records.
#include "platform/Events.h"

#include <SDL.h>

#include "platform/DisplayServer.h"
#include "platform/EventTranslation.h"
#include "platform/WindowHandle.h"

namespace {

constexpr std::uint32_t VK_F10_KEY = 0x79;
constexpr std::uint32_t VK_ALT_KEY = 0x12;
constexpr std::uint32_t VK_RETURN_KEY = 0x0D;
constexpr std::uint32_t VK_F11_KEY = 0x7A;

// Alt+Enter (as in many games) and F11 (as in browsers and desktop programs)
// switch between the window and full screen.
bool switchesFullScreen(const SDL_KeyboardEvent& key, std::uint32_t virtualKey) {
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    return (alt && virtualKey == VK_RETURN_KEY) || (!alt && virtualKey == VK_F11_KEY);
}

// Alt combinations, Alt alone and F10 belong to the desktop (menus, window
// commands); the game never sees them pressed.
bool desktopKeepsKey(const SDL_KeyboardEvent& key, std::uint32_t virtualKey) {
    return (key.keysym.mod & KMOD_ALT) != 0 || virtualKey == VK_ALT_KEY ||
           virtualKey == VK_F10_KEY;
}

bool translateKey(const SDL_KeyboardEvent& key, WindowMessage& message) {
    std::uint32_t virtualKey = virtualKeyFromSdl(key.keysym.sym, key.keysym.scancode);
    if (virtualKey == 0) {
        return false;
    }
    if (key.type == SDL_KEYDOWN) {
        if (switchesFullScreen(key, virtualKey)) {
            // Once per press: a held key must not flicker between the two.
            if (key.repeat != 0) {
                return false;
            }
            message.kind = MESSAGE_TOGGLE_FULL_SCREEN;
            return true;
        }
        // A held key's repeats arrive as further presses, as the pause key expects.
        if (desktopKeepsKey(key, virtualKey)) {
            return false;
        }
        message.kind = MESSAGE_KEY_DOWN;
    } else {
        // Releases always pass, so no flag can stay stuck after an Alt combination.
        message.kind = MESSAGE_KEY_UP;
    }
    message.wParam = virtualKey;
    return true;
}

// Pointer coordinates come in the window's units; the game measures the drawable
// area in pixels, which differ on scaled displays.
void toDrawablePixels(std::uint32_t windowId, int x, int y, WindowMessage& message) {
    message.x = x;
    message.y = y;
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    if (window == nullptr) {
        return;
    }
    int windowWidth = 0;
    int windowHeight = 0;
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GetWindowSize(window, &windowWidth, &windowHeight);
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    if (windowWidth > 0 && windowHeight > 0 && drawableWidth > 0 && drawableHeight > 0) {
        message.x = static_cast<int>(static_cast<long long>(x) * drawableWidth / windowWidth);
        message.y = static_cast<int>(static_cast<long long>(y) * drawableHeight / windowHeight);
    }
}

bool translateButton(const SDL_MouseButtonEvent& button, WindowMessage& message) {
    bool pressed = button.type == SDL_MOUSEBUTTONDOWN;
    if (button.button == SDL_BUTTON_LEFT) {
        message.kind = pressed ? MESSAGE_LEFT_BUTTON_DOWN : MESSAGE_LEFT_BUTTON_UP;
    } else if (button.button == SDL_BUTTON_RIGHT) {
        message.kind = pressed ? MESSAGE_RIGHT_BUTTON_DOWN : MESSAGE_RIGHT_BUTTON_UP;
    } else {
        return false;
    }
    toDrawablePixels(button.windowID, button.x, button.y, message);
    return true;
}

// The drawable area's size now (the event's own numbers are screen points, and a
// later resize may already have followed).
void drawableSize(const SDL_WindowEvent& event, WindowMessage& message) {
    message.x = event.data1;
    message.y = event.data2;
    SDL_Window* window = SDL_GetWindowFromID(event.windowID);
    if (window != nullptr) {
        SDL_GL_GetDrawableSize(window, &message.x, &message.y);
    }
}

bool translateWindowEvent(const SDL_WindowEvent& window, WindowMessage& message) {
    switch (window.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            message.kind = MESSAGE_RESIZED;
            drawableSize(window, message);
            return true;
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            message.kind = MESSAGE_HIDDEN;
            return true;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            message.kind = MESSAGE_SHOWN;
            return true;
        case SDL_WINDOWEVENT_CLOSE:
            message.kind = MESSAGE_CLOSE;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            message.kind = MESSAGE_FOCUS_GAINED;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            message.kind = MESSAGE_FOCUS_LOST;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
            message.kind = MESSAGE_EXPOSED;
            return true;
        default:
            return false;
    }
}

}  // namespace

bool translateSdlEvent(const SDL_Event& event, WindowMessage& message) {
    message = WindowMessage();
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return translateKey(event.key, message);
        case SDL_MOUSEMOTION:
            message.kind = MESSAGE_MOUSE_MOVE;
            toDrawablePixels(event.motion.windowID, event.motion.x, event.motion.y, message);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return translateButton(event.button, message);
        case SDL_WINDOWEVENT:
            return translateWindowEvent(event.window, message);
        case SDL_QUIT:
            message.kind = MESSAGE_CLOSE;
            return true;
        case SDL_SYSWMEVENT:
            return translateCoverage(event, message);
        case SDL_JOYDEVICEADDED:
            message.kind = MESSAGE_JOYSTICK_ADDED;
            message.wParam = static_cast<std::uint32_t>(event.jdevice.which);
            return true;
        default:
            return false;
    }
}

bool platformPollMessage(WindowMessage& message) {
    fitWindowOnceFramed();
    SDL_Event event;
    // Events the game does not take are skipped here, so that one call hands over
    // one message that matters without ever waiting.
    while (SDL_PollEvent(&event) != 0) {
        if (translateSdlEvent(event, message)) {
            return true;
        }
    }
    return false;
}

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
