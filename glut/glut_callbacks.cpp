#include "glut_callbacks.h"

#include <GL/freeglut.h>

#include "application_glut.h"
#include "platform.h"
#include "wheel.h"

namespace {

constexpr int kFirstArrowKeyCode = 1000;
constexpr int kDelete = 127;
constexpr int kBackspace = 8;

// freeglut, unlike GLUT, reports Shift, Ctrl, Alt, Super and Num Lock pressed
// alone as special keys. Passing them on would make every Alt-press a key
// press for the client, so they are dropped before anything is recorded.
bool IsLoneModifierKey(int key) {
    switch (key) {
        case GLUT_KEY_NUM_LOCK:
        case GLUT_KEY_SHIFT_L:
        case GLUT_KEY_SHIFT_R:
        case GLUT_KEY_CTRL_L:
        case GLUT_KEY_CTRL_R:
        case GLUT_KEY_ALT_L:
        case GLUT_KEY_ALT_R:
        case GLUT_KEY_SUPER_L:
        case GLUT_KEY_SUPER_R:
            return true;
        default:
            return false;
    }
}

int MapSpecialKey(int key) {
    switch (key) {
        case GLUT_KEY_LEFT:
            return kFirstArrowKeyCode;
        case GLUT_KEY_RIGHT:
            return kFirstArrowKeyCode + 1;
        case GLUT_KEY_UP:
            return kFirstArrowKeyCode + 2;
        case GLUT_KEY_DOWN:
            return kFirstArrowKeyCode + 3;
        default:
            return key;
    }
}

}  // namespace

// freeglut calls this when the window system asks for the picture: the
// window was exposed, mapped or resized, and what was on screen may be gone.
// It is drawn again at once rather than at the next update, once however many
// exposes came together: freeglut calls this once per pass of its loop.
void DisplayCallback() {
    ApplicationGLUT* app = GetApplication();
    app->Repaint();
    if (app->AdvanceSchedule()) {
        app->OnUpdate();
    }
}

void IdleCallback() {
    ApplicationGLUT* app = GetApplication();
    const int steps = PollWheel();
    if (steps != 0) {
        app->OnWheel(static_cast<float>(steps));
    }
    app->FollowDesktop();
    // A window manager's answer that leaves the size as it was comes with no
    // reshape.
    app->KeepWindowSize();
    if (app->AdvanceSchedule()) {
        // An idle callback has no current window of its own.
        glutSetWindow(app->windowId);
        app->OnUpdate();
        return;
    }
    // With nothing to update until input comes, sleep until it does; the
    // event's late tick then restarts the schedule.
    platform::WaitForInput(app->NeedsTicks() ? app->SecondsUntilUpdate() : -1.0);
}

void MotionCallback(int x, int y) {
    GetApplication()->pointerPixel = {x, y};
}

void MouseCallback(int button, int state, int x, int y) {
    ApplicationGLUT* app = GetApplication();
    app->modifiers = glutGetModifiers();
    const double t = Application::GetTime();
    const ApplicationGLUT::Pixel before = app->pointerPixel;
    app->pointerPixel = {x, y};
    if (button != GLUT_LEFT_BUTTON) {
        return;
    }
    if (state == GLUT_DOWN) {
        // A finger or a pen lands where the pointer was not seen before:
        // it did not travel there, so a drag starts from the press instead
        // of moving by the jump at the next tick. A mouse always moves to
        // where it presses first.
        if (!(before == app->pointerPixel)) {
            app->TakePointerPositionAsIs();
        }
        // GetMouseDownTime still holds the previous press: the base records
        // the new one only inside OnMouseDown.
        app->doubleClick = !app->doubleClick && app->pointerPixel == app->pressPixel &&
                           t - app->GetMouseDownTime() < 0.5;
        app->pressPixel = app->pointerPixel;
        const Vec2 p = app->GetMousePos();
        app->OnMouseDown(p.x, p.y);
    } else if (state == GLUT_UP) {
        app->click = app->pointerPixel == app->pressPixel;
        const Vec2 p = app->GetMousePos();
        app->OnMouseUp(p.x, p.y);
    }
}

void KeyboardCallback(unsigned char key, int x, int y) {
    ApplicationGLUT* app = GetApplication();
    app->modifiers = glutGetModifiers();
    app->pointerPixel = {x, y};
    int k = key;
    if (app->IsCtrlDown()) {
        // GLUT delivers Ctrl with a letter as the control characters 1..26.
        k += 96;
        if (app->IsShiftDown() && k >= 'a' && k <= 'z') {
            k -= 'a' - 'A';
        }
    }
    if (k == kDelete) {
        k = kBackspace;
    }
    app->OnKey(k);
}

void SpecialCallback(int key, int x, int y) {
    if (IsLoneModifierKey(key)) {
        return;
    }
    ApplicationGLUT* app = GetApplication();
    app->modifiers = glutGetModifiers();
    app->pointerPixel = {x, y};
    app->OnKey(MapSpecialKey(key));
}

void ReshapeCallback(int w, int h) {
    ApplicationGLUT* app = GetApplication();
    app->OnWindowResized(w, h);
    app->KeepWindowSize();
}
