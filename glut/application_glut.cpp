#include "application_glut.h"

#include <GL/freeglut.h>

#include <cstdlib>
#include <ctime>

#include "frame_gl.h"
#include "glut_callbacks.h"
#include "glut_session.h"
#include "size_hints_x11.h"
#include "wheel.h"

namespace {

ApplicationGLUT* currentApplication = nullptr;

constexpr int kGlutCursors[] = {
    GLUT_CURSOR_NONE,    GLUT_CURSOR_INHERIT, GLUT_CURSOR_CROSSHAIR, GLUT_CURSOR_INHERIT,
    GLUT_CURSOR_INHERIT, GLUT_CURSOR_INHERIT, GLUT_CURSOR_TEXT,
};
constexpr int kCursorKinds = sizeof(kGlutCursors) / sizeof(kGlutCursors[0]);

void RegisterCallbacks() {
    glutDisplayFunc(DisplayCallback);
    glutPassiveMotionFunc(MotionCallback);
    glutMotionFunc(MotionCallback);
    glutMouseFunc(MouseCallback);
    glutReshapeFunc(ReshapeCallback);
    glutSpecialFunc(SpecialCallback);
    glutKeyboardFunc(KeyboardCallback);
}

}  // namespace

ApplicationGLUT::ApplicationGLUT() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

// The window is left alone: freeglut has already torn it down if the main
// loop returned.
ApplicationGLUT::~ApplicationGLUT() {
    ReleaseWheel();
}

AppMenu* ApplicationGLUT::GetMenu() {
    return &menu;
}

bool ApplicationGLUT::Init() {
    // freeglut ignores display mode, position and size requested before
    // glutInit, so GLUT is initialised first (once per process, and the
    // start-up banner may have done it already).
    EnsureGlutInitialised();
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(static_cast<int>(GetWidth()), static_cast<int>(GetHeight()));
    windowId = glutCreateWindow("Quillmere");
    HoldWindowSizeX11(width, height);
    SetUpGLState();
    RegisterCallbacks();
    glutIdleFunc(IdleCallback);
    viewRect = ViewRect{0.0f, GetWidth(), 0.0f, GetHeight()};
    pixelScale = 1.0f;
    zoom = 1.0f;
    pan = Vec2{viewRect.xMin + (viewRect.xMax - viewRect.xMin) * 0.5f,
               viewRect.yMin + (viewRect.yMax - viewRect.yMin) * 0.5f};
    InitWheel();
    return true;
}

void ApplicationGLUT::Run(App* client) {
    Application::Run(client);
    glutMainLoop();
}

void ApplicationGLUT::SetTitle(const char* title) {
    glutSetWindowTitle(title);
}

void ApplicationGLUT::SetNotice(const char* text) {
    hasNotice = text != nullptr;
    notice = hasNotice ? text : "";
}

bool ApplicationGLUT::SetWindowSize(float w, float h) {
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    glutReshapeWindow(width, height);
    sizeKeeper.OnRequested({width, height});
    HoldWindowSizeX11(width, height);
    viewRect = ViewRect{0.0f, w, 0.0f, h};
    pan = Vec2{w * 0.5f, h * 0.5f};
    return true;
}

void ApplicationGLUT::SetCursor(int kind) {
    const bool known = kind >= 0 && kind < kCursorKinds;
    glutSetCursor(known ? kGlutCursors[kind] : GLUT_CURSOR_INHERIT);
}

bool ApplicationGLUT::IsDragging() {
    return IsMouseDown() && !(pointerPixel == pressPixel);
}
bool ApplicationGLUT::IsShiftDown() {
    return (modifiers & GLUT_ACTIVE_SHIFT) != 0;
}
bool ApplicationGLUT::IsCtrlDown() {
    return (modifiers & GLUT_ACTIVE_CTRL) != 0;
}
bool ApplicationGLUT::IsAltDown() {
    return (modifiers & GLUT_ACTIVE_ALT) != 0;
}

void ApplicationGLUT::BeginFrame() {
    BeginFrameGL(CurrentFrameView());
}

void ApplicationGLUT::EndFrame() {
    glutSwapBuffers();
}

ApplicationGLUT* CreateApplication() {
    auto* application = new ApplicationGLUT;
    currentApplication = application;
    if (application->Init()) {
        return application;
    }
    delete application;
    currentApplication = nullptr;
    return nullptr;
}

ApplicationGLUT* GetApplication() {
    return currentApplication;
}
