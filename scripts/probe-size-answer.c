/* How long a window manager takes to answer a client's request for a new
   window size: maps a window, then asks 20 times for another size and
   times each ConfigureNotify that answers (real or synthetic). Prints the
   median and the slowest answer in milliseconds, and how many requests got
   no answer within two seconds.
   Usage: probe-size-answer   (DISPLAY names the X server) */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* Waits up to `ms` for a ConfigureNotify of the window; 1 if one came. */
static int WaitForConfigure(Display* d, Window w, double ms) {
    const double end = Now() + ms;
    for (;;) {
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == ConfigureNotify && e.xconfigure.window == w) {
                return 1;
            }
        }
        const double left = end - Now();
        if (left <= 0) {
            return 0;
        }
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, (int)left + 1);
    }
}

static int Compare(const void* a, const void* b) {
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

int main(void) {
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "probe-size-answer: cannot open the display\n");
        return 1;
    }
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 400, 300, 0, 0, 0);
    XSelectInput(d, w, StructureNotifyMask);
    XMapWindow(d, w);
    while (WaitForConfigure(d, w, 500)) {
    }
    double times[20];
    int answered = 0, missed = 0;
    for (int i = 0; i < 20; ++i) {
        const double start = Now();
        XResizeWindow(d, w, 400 + 10 * (i % 2 + 1), 300);
        XFlush(d);
        if (WaitForConfigure(d, w, 2000)) {
            times[answered++] = Now() - start;
        } else {
            ++missed;
        }
        while (WaitForConfigure(d, w, 50)) {
        }
    }
    qsort(times, answered, sizeof times[0], Compare);
    printf("answers: median %.2f ms, slowest %.2f ms; unanswered %d of 20\n",
           answered ? times[answered / 2] : 0.0, answered ? times[answered - 1] : 0.0, missed);
    XCloseDisplay(d);
    return 0;
}
