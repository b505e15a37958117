/* Preloaded into the game by tools/measure_game.sh: writes the wall-clock time
 * of every frame shown (each SDL_GL_SwapWindow), in milliseconds, one a line, to
 * the file named by ZF_SWAP_TIMES_FILE. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

void SDL_GL_SwapWindow(void* window) {
    static void (*real)(void*) = NULL;
    static FILE* out = NULL;
    if (real == NULL) {
        real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
        const char* path = getenv("ZF_SWAP_TIMES_FILE");
        out = path != NULL ? fopen(path, "w") : NULL;
    }
    if (out != NULL) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        fprintf(out, "%.3f\n", (double)now.tv_sec * 1e3 + (double)now.tv_nsec / 1e6);
        fflush(out);
    }
    real(window);
}
