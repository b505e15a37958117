#include "platform/EndSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/RunEnd.h"

namespace {

constexpr int END_SIGNALS[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int SIGNAL_EXIT_BASE = 128;

std::atomic<int> gEndSignal{0};
int gWakeRead = -1;
int gWakeWrite = -1;

// Only what is safe inside a signal handler: the first signal is kept, and the
// watcher below is woken through its pipe.
extern "C" void onEndSignal(int number) {
    const int savedErrno = errno;
    int none = 0;
    gEndSignal.compare_exchange_strong(none, number);
    const char byte = 1;
    const ssize_t written = write(gWakeWrite, &byte, 1);
    static_cast<void>(written);
    errno = savedErrno;
}

// Sleeps until the first signal; then gives the run its grace to end normally.
void watchForEnd() {
    char byte = 0;
    while (read(gWakeRead, &byte, 1) < 0 && errno == EINTR) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(END_SIGNAL_GRACE_MS));
    platformEndRunNow(platformEndExitCode(0));
}

bool openWakePipe() {
    int ends[2];
    if (pipe(ends) != 0) {
        return false;
    }
    // Programs the game starts (none today) must not inherit it.
    fcntl(ends[0], F_SETFD, FD_CLOEXEC);
    fcntl(ends[1], F_SETFD, FD_CLOEXEC);
    gWakeRead = ends[0];
    gWakeWrite = ends[1];
    return true;
}

}  // namespace

void platformCatchEndSignals() {
    // A write to a display connection that has gone (the session ended) would
    // otherwise end the process by SIGPIPE before the library's own error path
    // could reach the display-loss end and its save; ignored, the write fails
    // and that path runs, whichever library wrote.
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
    if (gWakeWrite >= 0 || !openWakePipe()) {
        return;
    }
    std::thread(watchForEnd).detach();
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted waits wake up and see the request; plain reads and writes go on.
    action.sa_flags = SA_RESTART;
    for (int number : END_SIGNALS) {
        sigaction(number, &action, nullptr);
    }
}

int platformEndSignal() { return gEndSignal.load(); }

int platformEndExitCode(int code) {
    const int signal = gEndSignal.load();
    return signal != 0 ? SIGNAL_EXIT_BASE + signal : code;
}

// An X session's end comes as SIGTERM, or as the loss of the display.
void platformWatchSessionEnd(SDL_Window*) {}
