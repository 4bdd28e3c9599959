#pragma once

// The web GLUT's state, shared by its files (the window and loop, input,
// menus) and by nothing else.

#include <GL/freeglut.h>

namespace glut_web {

struct Callbacks {
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*idle)() = nullptr;
    void (*mouse)(int, int, int, int) = nullptr;
    void (*motion)(int, int) = nullptr;
    void (*passiveMotion)(int, int) = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*special)(int, int, int) = nullptr;
    void (*wheel)(int, int, int, int) = nullptr;
};

struct State {
    bool initialised = false;
    int window = 0;
    Callbacks callbacks;
    // The pointer's last position in device pixels of the canvas.
    int pointerX = 0;
    int pointerY = 0;
    // Valid while an input callback runs, as freeglut's glutGetModifiers.
    bool inInputCallback = false;
    int modifiers = 0;
};

State& GetState();

// Runs an input callback with the event's modifiers, which glutGetModifiers
// answers while it runs. The caller wakes the loop afterwards (Wake, in
// glut_web.h): input ends a wait, as it does on the desktop.
template <typename Dispatch>
void DispatchInput(int modifiers, Dispatch dispatch) {
    State& state = GetState();
    state.inInputCallback = true;
    state.modifiers = modifiers;
    dispatch(state.callbacks);
    state.inInputCallback = false;
    state.modifiers = 0;
}
// Registers the keyboard and wheel listeners (glut_input_web.cpp).
void ListenForKeysAndWheel();
// Whether input is taken now: not while the banner holds the page.
bool TakesInput();

// The menu attached to a button of the window, if any (0 for none), and
// opening it at a canvas pixel.
int AttachedMenu(int button);
void OpenMenu(int menu, int x, int y);

}  // namespace glut_web
