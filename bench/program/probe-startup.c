/* Starts a program and watches its start from a second X client, as a window
   manager and a user would see it: every map and unmap of its windows, the
   size each window has when mapped, and the time from the launch until the
   window named Quillmere shows the scene (the red swatch's first cell, at
   window pixel (105, 35) times the scale factor, pink). Then closes that window as the close box
   does and waits for the program to end.

   Prints one line: first-picture-ms MS maps N unmaps N map-sizes WxH,...
   Usage: probe-startup PROGRAM [ARGS...]   (DISPLAY names the X server) */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static Display* display;
static int maps, unmaps;
static char sizes[512];
static Window shown; /* the window that showed the picture */

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int IgnoreError(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0;
}

static int IsNamedQuillmere(Window w) {
    char* name = NULL;
    int named = XFetchName(display, w, &name) && name && strcmp(name, "Quillmere") == 0;
    if (name) {
        XFree(name);
    }
    return named;
}

static int ShowsScene(Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, w, &a) || a.map_state != IsViewable || a.width < 200) {
        return 0;
    }
    /* The scene is 1024 units wide: on a screen of higher density the
       window is wider by the scale factor, and so is every pixel of it. */
    const double scale = a.width >= 1024 ? a.width / 1024.0 : 1.0;
    XImage* image = XGetImage(display, w, (int)(105 * scale), (int)(35 * scale), 1, 1, AllPlanes,
                              ZPixmap);
    if (!image) {
        return 0;
    }
    unsigned long p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    int r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
    return r >= 250 && g >= 120 && g <= 135 && b >= 120 && b <= 135;
}

static void Take(const XEvent* e, Window* candidates, int* count) {
    if (e->type == CreateNotify) {
        XSelectInput(display, e->xcreatewindow.window, StructureNotifyMask);
        if (*count < 64) {
            candidates[(*count)++] = e->xcreatewindow.window;
        }
    } else if (e->type == MapNotify && e->xmap.event == e->xmap.window) {
        XWindowAttributes a;
        if (IsNamedQuillmere(e->xmap.window) && XGetWindowAttributes(display, e->xmap.window, &a)) {
            ++maps;
            snprintf(sizes + strlen(sizes), sizeof sizes - strlen(sizes), "%s%dx%d",
                     sizes[0] ? "," : "", a.width, a.height);
        }
    } else if (e->type == UnmapNotify && e->xunmap.event == e->xunmap.window) {
        if (IsNamedQuillmere(e->xunmap.window)) {
            ++unmaps;
        }
    }
}

int main(int argc, char** argv) {
    if (argc < 2 || !(display = XOpenDisplay(NULL))) {
        fprintf(stderr, "usage: probe-startup PROGRAM [ARGS...] (with an X display)\n");
        return 2;
    }
    XSetErrorHandler(IgnoreError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const double start = Now();
    pid_t pid = fork();
    if (pid == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    Window candidates[64];
    int count = 0;
    double picture = -1, settleUntil = 0;
    while (Now() - start < 20000 && (picture < 0 || Now() < settleUntil)) {
        while (XPending(display)) {
            XEvent e;
            XNextEvent(display, &e);
            Take(&e, candidates, &count);
        }
        for (int i = 0; picture < 0 && i < count; ++i) {
            if (ShowsScene(candidates[i])) {
                picture = Now() - start;
                shown = candidates[i];
                settleUntil = Now() + 1000; /* late maps and unmaps still count */
            }
        }
        struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 2);
    }
    if (shown) {
        XEvent close = {0};
        close.xclient.type = ClientMessage;
        close.xclient.window = shown;
        close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        close.xclient.format = 32;
        close.xclient.data.l[0] = XInternAtom(display, "WM_DELETE_WINDOW", False);
        close.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, shown, False, NoEventMask, &close);
        XFlush(display);
    }
    int status = 0;
    for (int i = 0; i < 500 && waitpid(pid, &status, WNOHANG) == 0; ++i) {
        usleep(10000);
    }
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    printf("first-picture-ms %.0f maps %d unmaps %d map-sizes %s\n", picture, maps, unmaps,
           sizes[0] ? sizes : "-");
    return picture < 0;
}
