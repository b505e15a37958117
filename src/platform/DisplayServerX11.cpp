#include "platform/DisplayServer.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/RunEnd.h"

namespace {

const char* const LOCAL_SOCKET_FOLDER = "/tmp/.X11-unix/X";

std::string displayVariable() {
    const char* name = std::getenv("DISPLAY");
    return name != nullptr ? name : "";
}

// The display number of "[host]:number[.screen]", or -1 when the name has none.
// host is set to what stands before the colon.
long displayNumber(const std::string& name, std::string& host) {
    const std::size_t colon = name.rfind(':');
    if (colon == std::string::npos) {
        return -1;
    }
    host = name.substr(0, colon);
    std::size_t end = colon + 1;
    while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end])) != 0) {
        ++end;
    }
    const bool hasDigits = end > colon + 1 && end - colon - 1 <= 6;
    const bool screenOrEnd = end == name.size() || name[end] == '.';
    if (!hasDigits || !screenOrEnd) {
        return -1;
    }
    return std::strtol(name.c_str() + colon + 1, nullptr, 10);
}

bool isSocket(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

}  // namespace

std::string displaySocketPath(const std::string& displayName) {
    std::string host;
    const long number = displayNumber(displayName, host);
    // Another host, or DECnet's "host::0", is reached some other way.
    if (number < 0 || !(host.empty() || host == "unix")) {
        return "";
    }
    return LOCAL_SOCKET_FOLDER + std::to_string(number);
}

std::string platformQuotedDisplayName() { return "\"" + displayVariable() + "\""; }

std::string platformDisplayAbsence() {
    const std::string name = displayVariable();
    if (name.empty()) {
        return "no display: DISPLAY is not set";
    }
    std::string host;
    if (displayNumber(name, host) < 0) {
        return "DISPLAY " + platformQuotedDisplayName() + " names no display";
    }
    const std::string socket = displaySocketPath(name);
    if (!socket.empty() && !isSocket(socket)) {
        return "display " + platformQuotedDisplayName() + " has no X server (no socket " + socket + ")";
    }
    return "";
}

bool platformRetryWhileDisplayRefuses(const std::function<bool()>& attempt) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(DISPLAY_PATIENCE_MS);
    while (!attempt()) {
        // Checked after each try: a server may go away while it is being waited for.
        if (!platformDisplayAbsence().empty() || Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(DISPLAY_RETRY_PAUSE_MS));
    }
    return true;
}

_XDisplay* xDisplayOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return nullptr;
    }
    return info.info.x11.display;
}

namespace {

XErrorHandler gHandlerBeforeTrap = nullptr;
std::string gFirstTrappedError;

// Core requests have names in Xlib's error database; an extension's (GLX's, say)
// are given by their opcodes.
std::string requestName(Display* display, const XErrorEvent& error) {
    constexpr int FIRST_EXTENSION_OPCODE = 128;
    char code[32];
    if (error.request_code >= FIRST_EXTENSION_OPCODE) {
        std::snprintf(code, sizeof code, "%d.%d", error.request_code, error.minor_code);
        return std::string("extension request ") + code;
    }
    std::snprintf(code, sizeof code, "%d", error.request_code);
    char name[128] = "";
    XGetErrorDatabaseText(display, "XRequest", code, code, name, sizeof name);
    return std::string("request ") + name;
}

int trapError(Display* display, XErrorEvent* error) {
    if (gFirstTrappedError.empty()) {
        char text[128] = "";
        XGetErrorText(display, error->error_code, text, sizeof text);
        gFirstTrappedError = std::string("X error ") + text + " on " + requestName(display, *error);
    }
    return 0;
}

}  // namespace

XErrorTrap::XErrorTrap() {
    gFirstTrappedError.clear();
    gHandlerBeforeTrap = XSetErrorHandler(trapError);
}

XErrorTrap::~XErrorTrap() { XSetErrorHandler(gHandlerBeforeTrap); }

std::string XErrorTrap::firstError(_XDisplay* display) {
    if (display != nullptr) {
        XSync(display, False);
    }
    return gFirstTrappedError;
}

namespace {

int onDisplayLost(Display*) {
    std::fputs("Zorbak Football II: the display went away; the game ends.\n", stderr);
    platformEndRunNow(DISPLAY_LOST_EXIT_CODE);
}

}  // namespace

void platformEndRunOnDisplayLoss() { XSetIOErrorHandler(onDisplayLost); }

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

namespace {

// Opens a connection to the display named by DISPLAY, retrying while it refuses.
// Null on failure, with failure saying which display and why.
Display* openXDisplay(std::string& failure) {
    Display* display = nullptr;
    int lastError = 0;
    const bool opened = platformRetryWhileDisplayRefuses([&display, &lastError]() {
        errno = 0;
        display = XOpenDisplay(nullptr);
        lastError = errno;
        return display != nullptr;
    });
    if (opened) {
        failure.clear();
        return display;
    }
    failure = platformDisplayAbsence();
    if (failure.empty()) {
        // Xlib has no error text of its own here; the socket's errno is the best clue.
        failure = "display " + platformQuotedDisplayName() + " refused the connection for " +
                  std::to_string(DISPLAY_PATIENCE_MS / 1000) + " s (" +
                  (lastError != 0 ? std::strerror(lastError) : "no reason given") + ")";
    }
    return display;
}

}  // namespace

// The toolkit opens its display on first use, tries only once and ends the
// process when there is none; opening it here rides out a display that refuses
// for a moment and lets the game report a real failure its own way.
bool launcherOpenDisplay(std::string& failure) {
    if (fl_display != nullptr) {
        return true;
    }
    Display* display = openXDisplay(failure);
    if (display == nullptr) {
        return false;
    }
    fl_open_display(display);
    platformEndRunOnDisplayLoss();  // in place of the toolkit's own reaction
    return true;
}
