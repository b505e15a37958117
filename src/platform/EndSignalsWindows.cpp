#include "platform/EndSignals.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <windows.h>

#include <atomic>

#include "platform/RunEnd.h"

namespace {

// The requests are numbered as the POSIX signals a player would know them by, so
// the exit codes say the same on both systems.
constexpr int INTERRUPT_NUMBER = 2;   // Ctrl+C or Ctrl+Break in a console
constexpr int HANG_UP_NUMBER = 1;     // the console window closed
constexpr int TERMINATE_NUMBER = 15;  // the session logs off or shuts down
constexpr int SIGNAL_EXIT_BASE = 128;

std::atomic<int> gEndSignal{0};

int requestNumber(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            return INTERRUPT_NUMBER;
        case CTRL_CLOSE_EVENT:
            return HANG_UP_NUMBER;
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            return TERMINATE_NUMBER;
        default:
            return 0;
    }
}

// Windows calls this on a thread of its own, which may wait: the run gets its
// grace to end the normal way, then ends here with the same save.
BOOL WINAPI onConsoleRequest(DWORD event) {
    const int number = requestNumber(event);
    if (number == 0) {
        return FALSE;
    }
    int none = 0;
    gEndSignal.compare_exchange_strong(none, number);
    Sleep(END_SIGNAL_GRACE_MS);
    platformEndRunNow(platformEndExitCode(0));
}

// The game window's own procedure, which the library installed; every message
// but the session's end goes on to it.
WNDPROC gLibraryProcedure = nullptr;

// A session that ends (logoff, shutdown) ends the process as soon as this message
// has been handled: save now, as a console's stop request does.
LRESULT CALLBACK onWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENDSESSION && wParam != FALSE) {
        int none = 0;
        gEndSignal.compare_exchange_strong(none, TERMINATE_NUMBER);
        platformEndRunNow(platformEndExitCode(0));
    }
    return CallWindowProcW(gLibraryProcedure, window, message, wParam, lParam);
}

}  // namespace

void platformWatchSessionEnd(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (gLibraryProcedure != nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
        info.subsystem != SDL_SYSWM_WINDOWS) {
        return;
    }
    gLibraryProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(info.info.win.window, GWLP_WNDPROC));
    SetWindowLongPtrW(info.info.win.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(onWindowMessage));
}

void platformCatchEndSignals() { SetConsoleCtrlHandler(onConsoleRequest, TRUE); }

int platformEndSignal() { return gEndSignal.load(); }

int platformEndExitCode(int code) {
    const int signal = gEndSignal.load();
    return signal != 0 ? SIGNAL_EXIT_BASE + signal : code;
}
