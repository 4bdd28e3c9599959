// The web GLUT's window and main loop. One canvas (the page's #canvas) is the
// one window. The loop belongs to the browser: everything runs from its
// events, animation frames and at most one timer, and nothing is scheduled
// while the program waits for input, so a page at rest costs nothing and a
// hidden tab, whose animation frames the browser stops, costs nothing either.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "glut_state_web.h"
#include "glut_web.h"
#include "glut_web_js.h"

namespace glut_web {
namespace {

struct Loop {
    bool running = false;
    bool held = false;
    long animationFrame = 0;
    long timer = 0;
    // The idle callback waits for input (or the timer) instead of running.
    bool waiting = false;
    bool redisplay = false;
    bool reshape = false;
};

State state;
Loop loop;
CanvasSize initialSize{300, 300};
CanvasSize size;
unsigned long sizeChanges = 0;
std::vector<CanvasSize> sizeReports;

void RequestFrame();

void CancelTimer() {
    if (loop.timer != 0) {
        emscripten_clear_timeout(loop.timer);
        loop.timer = 0;
    }
}

// Reshape, then display, then one idle pass: freeglut's order within a pass
// of its loop. An idle pass that does not wait asks for the next frame, which
// is the web's tight loop: one pass a frame, at the display's rate.
EM_BOOL RunFrame(double /*time*/, void* /*userData*/) {
    loop.animationFrame = 0;
    if (loop.held || state.window == 0) {
        return EM_FALSE;
    }
    if (loop.reshape) {
        loop.reshape = false;
        if (state.callbacks.reshape) {
            state.callbacks.reshape(size.width, size.height);
        }
    }
    if (loop.redisplay) {
        loop.redisplay = false;
        if (state.callbacks.display) {
            state.callbacks.display();
        }
    }
    if (state.callbacks.idle && !loop.waiting) {
        state.callbacks.idle();
        if (!loop.waiting) {
            RequestFrame();
        }
    }
    return EM_FALSE;
}

void RequestFrame() {
    if (loop.running && !loop.held && loop.animationFrame == 0) {
        loop.animationFrame = emscripten_request_animation_frame(RunFrame, nullptr);
    }
}

void TimerFired(void* /*userData*/) {
    loop.timer = 0;
    Wake();
}

void ApplyCanvasSize(CanvasSize wanted) {
    if (wanted.width < 1 || wanted.height < 1) {
        return;
    }
    if (!(wanted == size)) {
        ++sizeChanges;
    }
    size = wanted;
    glut_web_js_size_canvas(size.width, size.height);
    sizeReports.push_back(size);
    // Sizing a canvas clears its drawing buffer, so the picture is asked for
    // again, as a window system's expose would.
    loop.reshape = true;
    loop.redisplay = true;
    RequestFrame();
}

}  // namespace

State& GetState() {
    return state;
}

bool TakesInput() {
    return state.window != 0 && !loop.held;
}

void WaitForInput(double seconds) {
    CancelTimer();
    loop.waiting = true;
    if (seconds >= 0.0) {
        loop.timer = emscripten_set_timeout(TimerFired, seconds * 1000.0, nullptr);
    }
}

void Wake() {
    CancelTimer();
    loop.waiting = false;
    RequestFrame();
}

void Hold() {
    loop.held = true;
    glut_web_js_show_canvas(0);
}

void Release() {
    loop.held = false;
    glut_web_js_show_canvas(1);
    // What was drawn while held was never shown; the canvas was not cleared.
    loop.redisplay = true;
    Wake();
}

std::vector<CanvasSize> TakeSizeReports() {
    std::vector<CanvasSize> reports;
    reports.swap(sizeReports);
    return reports;
}

CanvasSize CurrentSize() {
    return size;
}

unsigned long SizeChanges() {
    return sizeChanges;
}

void LayOutCanvas() {
    if (state.window != 0) {
        glut_web_js_size_canvas(size.width, size.height);
    }
}

}  // namespace glut_web

using glut_web::loop;
using glut_web::state;

extern "C" {

void glutInit(int* /*argc*/, char** /*argv*/) {
    state.initialised = true;
}

void glutInitDisplayMode(unsigned int /*mode*/) {}
void glutInitWindowPosition(int /*x*/, int /*y*/) {}

void glutInitWindowSize(int width, int height) {
    glut_web::initialSize = {width, height};
}

void glutSetOption(GLenum /*what*/, int /*value*/) {}

int glutGet(GLenum query) {
    switch (query) {
        case GLUT_INIT_STATE:
            return state.initialised ? 1 : 0;
        case GLUT_WINDOW_WIDTH:
            return glut_web::size.width;
        case GLUT_WINDOW_HEIGHT:
            return glut_web::size.height;
        default:
            return 0;
    }
}

// The drawing buffer is kept between frames, so that a frame may redraw only
// what changed, as the desktop hosts present parts of a kept back buffer.
// Without WebGL nothing can be drawn: like freeglut without a GL context,
// this says so (on the page, which shows stderr) and ends the program.
int glutCreateWindow(const char* title) {
    if (state.window != 0) {
        return 0;
    }
    if (!glut_web_js_create_context()) {
        std::fputs("This browser cannot draw with WebGL, which the program needs.\n", stderr);
        std::exit(1);
    }
    state.window = 1;
    glutSetWindowTitle(title);
    glut_web_js_listen_pointer();
    glut_web::ListenForKeysAndWheel();
    glut_web::ApplyCanvasSize(glut_web::initialSize);
    return state.window;
}

int glutGetWindow(void) {
    return state.window;
}

void glutSetWindow(int /*window*/) {}

void glutSetWindowTitle(const char* title) {
    glut_web_js_set_title(title);
}

void glutReshapeWindow(int width, int height) {
    glut_web::ApplyCanvasSize({width, height});
}

void glutSetCursor(int cursor) {
    switch (cursor) {
        case GLUT_CURSOR_NONE:
            glut_web_js_set_cursor("none");
            break;
        case GLUT_CURSOR_CROSSHAIR:
            glut_web_js_set_cursor("crosshair");
            break;
        case GLUT_CURSOR_TEXT:
            glut_web_js_set_cursor("text");
            break;
        case GLUT_CURSOR_WAIT:
            glut_web_js_set_cursor("wait");
            break;
        case GLUT_CURSOR_INFO:
            glut_web_js_set_cursor("pointer");
            break;
        default:
            glut_web_js_set_cursor("");
            break;
    }
}

void glutPostRedisplay(void) {
    loop.redisplay = true;
    glut_web::RequestFrame();
}

// The browser shows the drawing buffer once the animation frame ends.
void glutSwapBuffers(void) {}

int glutGetModifiers(void) {
    return state.inInputCallback ? state.modifiers : 0;
}

// The browser runs the loop: the runtime stays alive and the caller's stack
// with it, and nothing after this call runs.
void glutMainLoop(void) {
    loop.running = true;
    glut_web::RequestFrame();
    emscripten_exit_with_live_runtime();
}

void glutDisplayFunc(void (*callback)(void)) {
    state.callbacks.display = callback;
}
void glutReshapeFunc(void (*callback)(int, int)) {
    state.callbacks.reshape = callback;
}
void glutIdleFunc(void (*callback)(void)) {
    state.callbacks.idle = callback;
    glut_web::Wake();
}
void glutMouseFunc(void (*callback)(int, int, int, int)) {
    state.callbacks.mouse = callback;
}
void glutMotionFunc(void (*callback)(int, int)) {
    state.callbacks.motion = callback;
}
void glutPassiveMotionFunc(void (*callback)(int, int)) {
    state.callbacks.passiveMotion = callback;
}
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) {
    state.callbacks.keyboard = callback;
}
void glutSpecialFunc(void (*callback)(int, int, int)) {
    state.callbacks.special = callback;
}
void glutMouseWheelFunc(void (*callback)(int, int, int, int)) {
    state.callbacks.wheel = callback;
}

}  // extern "C"
