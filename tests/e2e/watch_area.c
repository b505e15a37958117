/* Reads an area of an X window as a picture, or waits for it to change, taking a
 * picture every 20 ms. A screenshot through ImageMagick costs seconds on a busy
 * machine, while the game goes on; this costs one request to the X server.
 *
 * Usage: watch_area WINDOW-ID WxH+X+Y OUT.ppm
 *          writes the area as it is now.
 *        watch_area WINDOW-ID WxH+X+Y OUT.ppm REFERENCE.ppm WALL-MS [CLOCK-FILE CLOCK-MS]
 *          waits until the area differs from the reference in more than ten
 *          pixels, writes the area then and exits 0; exits 1 with the last
 *          picture when WALL-MS of real time, or CLOCK-MS of the clock, pass first.
 * The clock is a file the program under test writes at a steady pace, as SDL's
 * disk audio output writes the game's sound (44100 bytes a second): it tells the
 * game's own time. Prints "BEFORE AFTER": the clock file's size just before the
 * last picture that still matched the reference, and just after the first one
 * that did not (or the last one taken). BEFORE is -1 when the first picture
 * already differed, AFTER -1 with no clock file. */
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

enum { CHANGED_PIXELS = 10, POLL_MS = 20, OUTPUT_BYTES_PER_SECOND = 44100, MAX_SIDE = 4096 };

typedef struct {
    int width, height, x, y;
} Area;

static int xFailed;

static int noteXError(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    xFailed = 1;
    return 0;
}

static long long nowMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

static long long clockBytes(const char* path) {
    struct stat status;
    return path != NULL && stat(path, &status) == 0 ? (long long)status.st_size : -1;
}

static int shiftOf(unsigned long mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

/* The area as 8-bit RGB triples, top row first; 0 when the server refused. */
static int grab(Display* display, Window window, const Area* area, unsigned char* rgb) {
    xFailed = 0;
    XImage* image = XGetImage(display, window, area->x, area->y, (unsigned)area->width,
                              (unsigned)area->height, AllPlanes, ZPixmap);
    XSync(display, False);
    if (image == NULL || xFailed) {
        if (image != NULL) {
            XDestroyImage(image);
        }
        return 0;
    }
    const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
    for (int row = 0; row < area->height; ++row) {
        for (int column = 0; column < area->width; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            for (int channel = 0; channel < 3; ++channel) {
                const unsigned long value = (pixel & masks[channel]) >> shiftOf(masks[channel]);
                const unsigned long top = masks[channel] >> shiftOf(masks[channel]);
                *rgb++ = (unsigned char)(top == 255 ? value : value * 255 / (top ? top : 1));
            }
        }
    }
    XDestroyImage(image);
    return 1;
}

static int writePicture(const char* path, const Area* area, const unsigned char* rgb) {
    FILE* out = fopen(path, "wb");
    if (out == NULL) {
        return 0;
    }
    fprintf(out, "P6\n%d %d\n255\n", area->width, area->height);
    const size_t size = (size_t)area->width * (size_t)area->height * 3;
    const int written = fwrite(rgb, 1, size, out) == size;
    return fclose(out) == 0 && written;
}

/* The next number of a PPM header, past blanks and # comments. */
static int headerNumber(FILE* in) {
    int c = fgetc(in);
    while (c == '#' || c == ' ' || c == '\t' || c == '\n' || c == '\r') {
        if (c == '#') {
            while (c != '\n' && c != EOF) {
                c = fgetc(in);
            }
        }
        c = fgetc(in);
    }
    int value = 0;
    int digits = 0;
    while (c >= '0' && c <= '9' && value < 100000) {
        value = value * 10 + (c - '0');
        ++digits;
        c = fgetc(in);
    }
    return digits > 0 ? value : -1;
}

/* A binary 8-bit PPM of exactly the area's size. */
static int readPicture(const char* path, const Area* area, unsigned char* rgb) {
    FILE* in = fopen(path, "rb");
    if (in == NULL) {
        return 0;
    }
    const size_t size = (size_t)area->width * (size_t)area->height * 3;
    const int fits = fgetc(in) == 'P' && fgetc(in) == '6' && headerNumber(in) == area->width &&
                     headerNumber(in) == area->height && headerNumber(in) == 255 &&
                     fread(rgb, 1, size, in) == size;
    fclose(in);
    return fits;
}

static int differingPixels(const unsigned char* a, const unsigned char* b, const Area* area) {
    int count = 0;
    for (size_t pixel = 0; pixel < (size_t)area->width * (size_t)area->height; ++pixel) {
        count += memcmp(a + pixel * 3, b + pixel * 3, 3) != 0;
    }
    return count;
}

static void sleepMs(long ms) {
    struct timespec pause = {ms / 1000, (ms % 1000) * 1000000};
    while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
}

int main(int argc, char** argv) {
    Area area;
    if ((argc != 4 && argc != 6 && argc != 8) ||
        sscanf(argv[2], "%dx%d+%d+%d", &area.width, &area.height, &area.x, &area.y) != 4 ||
        area.width < 1 || area.height < 1 || area.width > MAX_SIDE || area.height > MAX_SIDE) {
        fprintf(stderr,
                "usage: %s WINDOW-ID WxH+X+Y OUT.ppm [REFERENCE.ppm WALL-MS [CLOCK-FILE CLOCK-MS]]\n",
                argv[0]);
        return 2;
    }
    const Window window = (Window)strtoul(argv[1], NULL, 0);
    Display* display = XOpenDisplay(NULL);
    const size_t size = (size_t)area.width * (size_t)area.height * 3;
    unsigned char* picture = malloc(size);
    unsigned char* reference = malloc(size);
    if (display == NULL || window == 0 || picture == NULL || reference == NULL) {
        fprintf(stderr, "watch_area: no display, no window or no memory\n");
        return 3;
    }
    XSetErrorHandler(noteXError);
    if (argc == 4) {
        return grab(display, window, &area, picture) && writePicture(argv[3], &area, picture) ? 0 : 3;
    }
    if (!readPicture(argv[4], &area, reference)) {
        fprintf(stderr, "watch_area: %s is no 8-bit PPM of %dx%d\n", argv[4], area.width, area.height);
        return 2;
    }
    const long long wallLimit = nowMs() + atoll(argv[5]);
    const char* clockFile = argc == 8 ? argv[6] : NULL;
    const long long clockLimit =
        clockFile != NULL ? clockBytes(clockFile) + atoll(argv[7]) * OUTPUT_BYTES_PER_SECOND / 1000 : -1;
    long long matchedBefore = -1;
    for (;;) {
        const long long before = clockBytes(clockFile);
        if (!grab(display, window, &area, picture)) {
            fprintf(stderr, "watch_area: the window's area cannot be read\n");
            return 3;
        }
        const long long after = clockBytes(clockFile);
        const int changed = differingPixels(picture, reference, &area) > CHANGED_PIXELS;
        const int late = nowMs() >= wallLimit || (clockFile != NULL && after >= clockLimit);
        if (changed || late) {
            printf("%lld %lld\n", changed ? matchedBefore : before, after);
            return writePicture(argv[3], &area, picture) ? !changed : 3;
        }
        matchedBefore = before;
        sleepMs(POLL_MS);
    }
}
