/* Pings an X window as GNOME's and KDE's window managers do (_NET_WM_PING) and
 * waits for the answer, which a client sends back to the root window. A client
 * that does not answer in time is what those desktops offer to kill as "not
 * responding". Xvfb runs no window manager, so the tests send the ping with this.
 * Usage: ping_window WINDOW-ID TIMEOUT-MS [CLOCK-FILE]
 * Prints the time to the answer in milliseconds; exits 0 when it came in time.
 * With a clock file (one the program writes at a steady pace, as SDL's disk audio
 * output writes the game's sound), also prints how much it grew meanwhile: the
 * wait in the program's own time, read as the answer comes. */
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>

#include <X11/Xlib.h>

static long elapsedMs(const struct timespec* since) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - since->tv_sec) * 1000 + (now.tv_nsec - since->tv_nsec) / 1000000;
}

static long long clockBytes(const char* path) {
    struct stat status;
    return path != NULL && stat(path, &status) == 0 ? (long long)status.st_size : -1;
}

/* The answer's time, and the clock's growth when there is a clock. */
static void printWait(const struct timespec* start, const char* clockFile, long long clockAtStart) {
    if (clockFile != NULL) {
        printf("%ld %lld\n", elapsedMs(start), clockBytes(clockFile) - clockAtStart);
    } else {
        printf("%ld\n", elapsedMs(start));
    }
}

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        fprintf(stderr, "usage: %s WINDOW-ID TIMEOUT-MS [CLOCK-FILE]\n", argv[0]);
        return 2;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    long timeoutMs = strtol(argv[2], NULL, 10);
    const char* clockFile = argc == 4 ? argv[3] : NULL;
    Display* display = XOpenDisplay(NULL);
    if (display == NULL || window == 0) {
        fprintf(stderr, "ping_window: no display or no window\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    /* The answer is sent to the root window for its substructure listeners. */
    XSelectInput(display, root, SubstructureNotifyMask);

    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)ping;
    event.xclient.data.l[1] = CurrentTime;
    event.xclient.data.l[2] = (long)window;
    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    const long long clockAtStart = clockBytes(clockFile);
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);

    while (elapsedMs(&start) < timeoutMs) {
        while (XPending(display) > 0) {
            XEvent answer;
            XNextEvent(display, &answer);
            if (answer.type == ClientMessage && answer.xclient.message_type == protocols &&
                (Atom)answer.xclient.data.l[0] == ping && (Window)answer.xclient.data.l[2] == window) {
                printWait(&start, clockFile, clockAtStart);
                XCloseDisplay(display);
                return 0;
            }
        }
        struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 5);
    }
    printWait(&start, clockFile, clockAtStart);
    XCloseDisplay(display);
    return 1;
}
