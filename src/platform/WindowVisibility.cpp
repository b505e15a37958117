#include "platform/WindowVisibility.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

void watchWindowCoverage(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    Display* display = info.info.x11.display;
    const Window xWindow = info.info.x11.window;
    // Added to the events the library already asked for, which it still needs.
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, xWindow, &attributes) == 0) {
        return;
    }
    XSelectInput(display, xWindow, attributes.your_event_mask | VisibilityChangeMask);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

bool translateCoverage(const SDL_Event& event, WindowMessage& message) {
    if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr ||
        event.syswm.msg->subsystem != SDL_SYSWM_X11) {
        return false;
    }
    const XEvent& xEvent = event.syswm.msg->msg.x11.event;
    if (xEvent.type != VisibilityNotify) {
        return false;
    }
    message.kind = xEvent.xvisibility.state == VisibilityFullyObscured ? MESSAGE_HIDDEN : MESSAGE_SHOWN;
    return true;
}
