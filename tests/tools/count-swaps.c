/* Preloaded into the program to count how it presents its frames. The
   program itself is the unmodified binary.

   Two ways of presenting are counted:
   - glXSwapBuffers (glutSwapBuffers ends in it): one whole-window frame each.
   - glXCopySubBufferMESA (GLX_MESA_copy_sub_buffer), which copies one
     rectangle of the back buffer to the window: every call is counted as a
     rectangle, and a run of calls that follow one another with nothing drawn
     in between is counted as one frame. The program presents the rectangles
     of a frame back to back, after drawing them all, so such a run is one
     frame. A run ends, and the next call starts a new frame, when any of the
     drawing calls wrapped below (glClear, glBegin, glRect*, glDrawArrays,
     glDrawElements, glDrawPixels, glCopyPixels, glBitmap, glCallList(s)) or
     a glXSwapBuffers came since the last call, or when more than
     QM_BURST_GAP_MS milliseconds (default 5) passed between the end of one
     call and the start of the next.

   The program finds glXCopySubBufferMESA with glXGetProcAddress or
   glXGetProcAddressARB after finding "GLX_MESA_copy_sub_buffer" in
   glXQueryExtensionsString; both lookups are wrapped to hand back the
   counting wrapper below, which a direct call reaches too.

   With QM_HIDE_COPY_SUB_BUFFER=1 the extension is hidden: its name is taken
   out of glXQueryExtensionsString, glXGetClientString and
   glXQueryServerString, and glXGetProcAddress(ARB) answers NULL for the
   function, so the program takes its whole-window fallback.

   Counts are written to two files, if their variables name them:
   - QM_SWAP_COUNT_FILE: the frames so far (whole swaps plus runs of
     copy-sub-buffer calls), one number, rewritten aside and renamed at each
     frame so that a reader never sees a half-written count;
   - QM_PRESENT_COUNT_FILE: one line of fixed-width fields, in a shared
     mapping of the file that is updated in memory, with no system call,
     at every call:
         swaps subcopies runs subcopy_pixels lookups_answered lookups_hidden check
     where check is the sum of the six before it; a reader that finds it
     wrong has read the line while it was being written and reads again.
   GL is called from one thread in the program, so the counters are plain.

   With QM_MARK_PRESENTS=1 every glXSwapBuffers and glXCopySubBufferMESA
   call is bracketed by two X NoOperation requests (XNoOp) on the display it
   presents to, so that a log of the X protocol (bench/program/count-round-trips.sh)
   can tell the round trips made while presenting (by GLX and Mesa) from the
   program's own. NoOperation has no reply and the server does nothing for
   it. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

typedef void (*ProcFn)(void);
typedef ProcFn (*GetProcFn)(const unsigned char*);
typedef void (*SwapFn)(void*, unsigned long);
typedef void (*CopySubFn)(void*, unsigned long, int, int, int, int);
typedef const char* (*QueryExtFn)(void*, int);
typedef const char* (*ClientStringFn)(void*, int);
typedef const char* (*ServerStringFn)(void*, int, int);

#define EXTENSION_NAME "GLX_MESA_copy_sub_buffer"
#define FUNCTION_NAME "glXCopySubBufferMESA"
#define GLX_EXTENSIONS_NAME 3 /* GLX_EXTENSIONS in GL/glx.h */
#define LINE_SIZE 160

static unsigned long swaps, subcopies, runs, subcopy_pixels, lookups_answered, lookups_hidden;
static int drawn_since_copy = 1;
static struct timespec last_copy_end;
static char* mapped_line;
static int mapping_tried;

static void* next_symbol(const char* name) {
    return dlsym(RTLD_NEXT, name);
}

static int copy_sub_buffer_hidden(void) {
    const char* v = getenv("QM_HIDE_COPY_SUB_BUFFER");
    return v && *v && strcmp(v, "0") != 0;
}

static double burst_gap_seconds(void) {
    static double gap = -1.0;
    if (gap < 0.0) {
        const char* v = getenv("QM_BURST_GAP_MS");
        gap = (v && *v ? atof(v) : 5.0) / 1000.0;
    }
    return gap;
}

static void publish_present_counts(void) {
    if (!mapping_tried) {
        mapping_tried = 1;
        const char* path = getenv("QM_PRESENT_COUNT_FILE");
        if (path) {
            int fd = open(path, O_RDWR | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) {
                if (ftruncate(fd, LINE_SIZE) == 0) {
                    void* p = mmap(NULL, LINE_SIZE, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
                    if (p != MAP_FAILED) {
                        mapped_line = p;
                    }
                }
                close(fd);
            }
        }
    }
    if (!mapped_line) {
        return;
    }
    char line[LINE_SIZE];
    unsigned long check =
        swaps + subcopies + runs + subcopy_pixels + lookups_answered + lookups_hidden;
    int n = snprintf(line, sizeof line, "%20lu %20lu %20lu %20lu %20lu %20lu %20lu", swaps,
                     subcopies, runs, subcopy_pixels, lookups_answered, lookups_hidden, check);
    if (n < 0 || n >= LINE_SIZE) {
        return;
    }
    memset(line + n, ' ', LINE_SIZE - n);
    line[LINE_SIZE - 1] = '\n';
    memcpy(mapped_line, line, LINE_SIZE);
}

static void publish_frames(void) {
    const char* path = getenv("QM_SWAP_COUNT_FILE");
    char aside[4096];
    if (!path || snprintf(aside, sizeof aside, "%s.new", path) >= (int)sizeof aside) {
        return;
    }
    FILE* f = fopen(aside, "w");
    if (f) {
        fprintf(f, "%lu\n", swaps + runs);
        fclose(f);
        rename(aside, path);
    }
}

/* Brackets a present call; see QM_MARK_PRESENTS above. */
static void mark_present(void* display) {
    static int marking = -1;
    static int (*no_operation)(void*);
    if (marking < 0) {
        const char* v = getenv("QM_MARK_PRESENTS");
        marking = v && *v && strcmp(v, "0") != 0;
        if (marking) {
            no_operation = (int (*)(void*))dlsym(RTLD_DEFAULT, "XNoOp");
        }
    }
    if (marking && no_operation && display) {
        no_operation(display);
    }
}

static double seconds_between(const struct timespec* a, const struct timespec* b) {
    return (double)(b->tv_sec - a->tv_sec) + (double)(b->tv_nsec - a->tv_nsec) * 1e-9;
}

/* ---- Presenting ---- */

void glXSwapBuffers(void* display, unsigned long drawable) {
    static SwapFn real;
    if (!real) {
        real = (SwapFn)next_symbol("glXSwapBuffers");
    }
    mark_present(display);
    real(display, drawable);
    mark_present(display);
    ++swaps;
    drawn_since_copy = 1;
    publish_present_counts();
    publish_frames();
}

static ProcFn real_get_proc(const unsigned char* name) {
    static GetProcFn real;
    if (!real) {
        real = (GetProcFn)next_symbol("glXGetProcAddressARB");
    }
    if (!real) {
        real = (GetProcFn)next_symbol("glXGetProcAddress");
    }
    return real ? real(name) : NULL;
}

void glXCopySubBufferMESA(void* display, unsigned long drawable, int x, int y, int width,
                          int height) {
    static CopySubFn real;
    if (!real) {
        real = (CopySubFn)real_get_proc((const unsigned char*)FUNCTION_NAME);
    }
    if (!real) {
        return;
    }
    struct timespec start;
    clock_gettime(CLOCK_MONOTONIC, &start);
    int new_run = drawn_since_copy || seconds_between(&last_copy_end, &start) > burst_gap_seconds();
    mark_present(display);
    real(display, drawable, x, y, width, height);
    mark_present(display);
    clock_gettime(CLOCK_MONOTONIC, &last_copy_end);
    drawn_since_copy = 0;
    ++subcopies;
    if (width > 0 && height > 0) {
        subcopy_pixels += (unsigned long)width * (unsigned long)height;
    }
    if (new_run) {
        ++runs;
    }
    publish_present_counts();
    if (new_run) {
        publish_frames();
    }
}

/* ---- Finding the extension ---- */

static ProcFn answer_lookup(const unsigned char* name, ProcFn found) {
    if (name && found && strcmp((const char*)name, "glXSwapBuffers") == 0) {
        return (ProcFn)glXSwapBuffers;
    }
    if (name && strcmp((const char*)name, FUNCTION_NAME) == 0) {
        if (copy_sub_buffer_hidden()) {
            ++lookups_hidden;
            publish_present_counts();
            return NULL;
        }
        ++lookups_answered;
        publish_present_counts();
        return found ? (ProcFn)glXCopySubBufferMESA : NULL;
    }
    return found;
}

ProcFn glXGetProcAddressARB(const unsigned char* name) {
    return answer_lookup(name, real_get_proc(name));
}

ProcFn glXGetProcAddress(const unsigned char* name) {
    static GetProcFn real;
    if (!real) {
        real = (GetProcFn)next_symbol("glXGetProcAddress");
    }
    return answer_lookup(name, real ? real(name) : real_get_proc(name));
}

/* The extension string without EXTENSION_NAME. The answers are kept for
   the life of the process, as GLX keeps its own; one per distinct string. */
struct filtered {
    char* original;
    char* without;
    struct filtered* next;
};

static const char* without_extension(const char* extensions) {
    static struct filtered* kept;
    if (!extensions || !strstr(extensions, EXTENSION_NAME)) {
        return extensions;
    }
    for (struct filtered* f = kept; f; f = f->next) {
        if (strcmp(f->original, extensions) == 0) {
            return f->without;
        }
    }
    struct filtered* f = malloc(sizeof *f);
    char* out = malloc(strlen(extensions) + 1);
    char* original = strdup(extensions);
    if (!f || !out || !original) {
        free(f);
        free(out);
        free(original);
        return extensions;
    }
    char* o = out;
    const char* p = extensions;
    while (*p) {
        while (*p == ' ') {
            ++p;
        }
        const char* end = p;
        while (*end && *end != ' ') {
            ++end;
        }
        size_t len = (size_t)(end - p);
        if (len > 0 && !(len == strlen(EXTENSION_NAME) && strncmp(p, EXTENSION_NAME, len) == 0)) {
            memcpy(o, p, len);
            o += len;
            *o++ = ' ';
        }
        p = end;
    }
    *o = '\0';
    f->original = original;
    f->without = out;
    f->next = kept;
    kept = f;
    return out;
}

const char* glXQueryExtensionsString(void* display, int screen) {
    static QueryExtFn real;
    if (!real) {
        real = (QueryExtFn)next_symbol("glXQueryExtensionsString");
    }
    const char* s = real ? real(display, screen) : NULL;
    return copy_sub_buffer_hidden() ? without_extension(s) : s;
}

const char* glXGetClientString(void* display, int name) {
    static ClientStringFn real;
    if (!real) {
        real = (ClientStringFn)next_symbol("glXGetClientString");
    }
    const char* s = real ? real(display, name) : NULL;
    return copy_sub_buffer_hidden() && name == GLX_EXTENSIONS_NAME ? without_extension(s) : s;
}

const char* glXQueryServerString(void* display, int screen, int name) {
    static ServerStringFn real;
    if (!real) {
        real = (ServerStringFn)next_symbol("glXQueryServerString");
    }
    const char* s = real ? real(display, screen, name) : NULL;
    return copy_sub_buffer_hidden() && name == GLX_EXTENSIONS_NAME ? without_extension(s) : s;
}

/* ---- Drawing, which ends a run of copy-sub-buffer calls ---- */

#define DRAWING_WRAPPER(name, params, args)           \
    void name params {                               \
        static void(*real) params;                   \
        if (!real) {                                 \
            real = (void(*) params)next_symbol(#name); \
        }                                            \
        drawn_since_copy = 1;                        \
        real args;                                   \
    }

DRAWING_WRAPPER(glClear, (unsigned int mask), (mask))
DRAWING_WRAPPER(glBegin, (unsigned int mode), (mode))
DRAWING_WRAPPER(glRecti, (int x1, int y1, int x2, int y2), (x1, y1, x2, y2))
DRAWING_WRAPPER(glRectf, (float x1, float y1, float x2, float y2), (x1, y1, x2, y2))
DRAWING_WRAPPER(glRectd, (double x1, double y1, double x2, double y2), (x1, y1, x2, y2))
DRAWING_WRAPPER(glRects, (short x1, short y1, short x2, short y2), (x1, y1, x2, y2))
DRAWING_WRAPPER(glDrawArrays, (unsigned int mode, int first, int count), (mode, first, count))
DRAWING_WRAPPER(glDrawElements, (unsigned int mode, int count, unsigned int type, const void* indices),
                (mode, count, type, indices))
DRAWING_WRAPPER(glDrawPixels,
                (int width, int height, unsigned int format, unsigned int type, const void* pixels),
                (width, height, format, type, pixels))
DRAWING_WRAPPER(glCopyPixels, (int x, int y, int width, int height, unsigned int type),
                (x, y, width, height, type))
DRAWING_WRAPPER(glBitmap,
                (int width, int height, float xorig, float yorig, float xmove, float ymove,
                 const unsigned char* bitmap),
                (width, height, xorig, yorig, xmove, ymove, bitmap))
DRAWING_WRAPPER(glCallList, (unsigned int list), (list))
DRAWING_WRAPPER(glCallLists, (int n, unsigned int type, const void* lists), (n, type, lists))
