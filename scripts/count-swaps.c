/* Preloaded into the program to count its frames: every glXSwapBuffers call
   is counted, and the count is written to the file QM_SWAP_COUNT_FILE names. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

typedef void (*SwapFn)(void*, unsigned long);
static unsigned long swaps;

void glXSwapBuffers(void* display, unsigned long drawable) {
    static SwapFn real;
    if (!real) {
        real = (SwapFn)dlsym(RTLD_NEXT, "glXSwapBuffers");
    }
    real(display, drawable);
    ++swaps;
    /* Written aside and renamed, so that a reader never sees a half-written count. */
    const char* path = getenv("QM_SWAP_COUNT_FILE");
    char aside[4096];
    if (!path || snprintf(aside, sizeof aside, "%s.new", path) >= (int)sizeof aside) {
        return;
    }
    FILE* f = fopen(aside, "w");
    if (f) {
        fprintf(f, "%lu\n", swaps);
        fclose(f);
        rename(aside, path);
    }
}
