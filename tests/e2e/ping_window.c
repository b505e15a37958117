/* Pings an X window as GNOME's and KDE's window managers do (_NET_WM_PING) and
 * waits for the answer, which a client sends back to the root window. A client
 * that does not answer in time is what those desktops offer to kill as "not
 * responding". Xvfb runs no window manager, so the tests send the ping with this.
 * Usage: ping_window WINDOW-ID TIMEOUT-MS
 * Prints the time to the answer in milliseconds; exits 0 when it came in time. */
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <X11/Xlib.h>

static long elapsedMs(const struct timespec* since) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - since->tv_sec) * 1000 + (now.tv_nsec - since->tv_nsec) / 1000000;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s WINDOW-ID TIMEOUT-MS\n", argv[0]);
        return 2;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    long timeoutMs = strtol(argv[2], NULL, 10);
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
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);

    while (elapsedMs(&start) < timeoutMs) {
        while (XPending(display) > 0) {
            XEvent answer;
            XNextEvent(display, &answer);
            if (answer.type == ClientMessage && answer.xclient.message_type == protocols &&
                (Atom)answer.xclient.data.l[0] == ping && (Window)answer.xclient.data.l[2] == window) {
                printf("%ld\n", elapsedMs(&start));
                XCloseDisplay(display);
                return 0;
            }
        }
        struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 5);
    }
    printf("%ld\n", elapsedMs(&start));
    XCloseDisplay(display);
    return 1;
}
