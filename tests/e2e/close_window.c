/* Asks an X window to close as a window manager's close box does: it sends the
 * window's client a WM_DELETE_WINDOW message. Xvfb runs no window manager, so
 * the tests of the launcher and the game window use this in its place.
 * Usage: close_window WINDOW-ID [CLOCK-FILE]
 * With a clock file (one the program writes at a steady pace, as SDL's disk audio
 * output writes the game's sound), prints its size at the moment of the request
 * (-1 when there is none): the program's own time then, to measure its answer
 * against. */
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <X11/Xlib.h>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        fprintf(stderr, "usage: %s WINDOW-ID [CLOCK-FILE]\n", argv[0]);
        return 2;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    Display* display = XOpenDisplay(NULL);
    if (display == NULL || window == 0) {
        fprintf(stderr, "close_window: no display or no window\n");
        return 1;
    }
    XEvent event = {0};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    struct stat clockFile;
    const long long clock = argc == 3 && stat(argv[2], &clockFile) == 0 ? (long long)clockFile.st_size : -1;
    Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    if (argc == 3) {
        printf("%lld\n", clock);
    }
    XCloseDisplay(display);
    return sent != 0 ? 0 : 1;
}
