#include "application_glut.h"

#include <GL/freeglut.h>

#include <cstdlib>
#include <ctime>

#include "desktop_scale.h"
#include "frame_gl.h"
#include "glut_callbacks.h"
#include "glut_session.h"
#include "platform.h"
#include "wheel.h"

namespace {

ApplicationGLUT* currentApplication = nullptr;

constexpr int kGlutCursors[] = {
    GLUT_CURSOR_NONE,    GLUT_CURSOR_INHERIT, GLUT_CURSOR_CROSSHAIR, GLUT_CURSOR_INHERIT,
    GLUT_CURSOR_INHERIT, GLUT_CURSOR_INHERIT, GLUT_CURSOR_TEXT,
};
constexpr int kCursorKinds = sizeof(kGlutCursors) / sizeof(kGlutCursors[0]);

// X keeps window sizes in 16 bits; a larger request is an error that ends the
// process through Xlib's default error handler.
constexpr float kLargestWindowSide = 32767.0f;

bool IsWindowSide(float side) {
    return side >= 1.0f && side <= kLargestWindowSide;
}

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

ApplicationGLUT::ApplicationGLUT(const WindowDescription& window) : windowDescription(window) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

WindowDescription ApplicationGLUT::DefaultWindow() {
    WindowDescription window;
    window.title = "Quillmere";
    window.width = 640;
    window.height = 480;
    return window;
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
    const ScaleChoice choice = platform::ChooseScale(windowDescription.scale);
    wantedScale = choice.scale;
    followsDesktop = choice.followsDesktop;
    screenArea = platform::ReadScreenArea();
    // The window is made at its final size with its hints in place, so that
    // it is mapped once and never resized or mapped again at start-up.
    if (IsWindowSide(static_cast<float>(windowDescription.width)) &&
        IsWindowSide(static_cast<float>(windowDescription.height))) {
        width = windowDescription.width;
        height = windowDescription.height;
    }
    scale = ScaleFor(width, height);
    if (!FitsX(width, height, scale)) {
        scale = 1.0f;
    }
    const Size device = DeviceSize();
    WindowDescription identity = windowDescription;
    identity.width = device.width;
    identity.height = device.height;
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(device.width, device.height);
    platform::FollowScaleWith(
        {[this](float desktop) { return DeviceSizeAt(desktop); }, [this] { FollowScaleNow(); }});
    platform::PrepareWindow(identity);
    windowId = glutCreateWindow(windowDescription.title.c_str());
    platform::FinishWindow();
    windowSize = device;
    presenter.Init();
    SetUpGLState();
    RegisterCallbacks();
    glutIdleFunc(IdleCallback);
    ResetView(GetWidth(), GetHeight());
    zoom = 1.0f;
    InitWheel();
    // The factor was the desktop's before the window existed; now the
    // window's own decides, on whichever monitor it opened.
    FollowDesktop();
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
    if (!IsWindowSide(w) || !IsWindowSide(h)) {
        return false;
    }
    const Size kept{static_cast<int>(w), static_cast<int>(h)};
    // A larger size may no longer fit the screen at the factor.
    const float fitted = ScaleFor(kept.width, kept.height);
    if (!FitsX(kept.width, kept.height, fitted)) {
        return false;
    }
    const Size before = DeviceSize();
    width = kept.width;
    height = kept.height;
    scale = fitted;
    const Size device = DeviceSize();
    // Asking for the size the window already keeps and has changes nothing
    // on screen, so nothing is asked of the window system.
    if (!(device == before) || !(windowSize == device)) {
        RequestDeviceSize(device);
    }
    ResetView(w, h);
    InvalidatePicture();
    return true;
}

ApplicationGLUT::Size ApplicationGLUT::DeviceSize() const {
    return {ScaledSide(width, scale), ScaledSide(height, scale)};
}

float ApplicationGLUT::PixelScale() const {
    return 1.0f / scale;
}

// The keeper hears of the request first: a platform that sizes the window at
// once reports the new size before SizeWindow returns.
void ApplicationGLUT::RequestDeviceSize(Size device) {
    glutSetWindow(windowId);
    sizeKeeper.OnRequested(device, GetTime());
    platform::SizeWindow(device.width, device.height);
}

void ApplicationGLUT::ResetView(float w, float h) {
    viewRect = ViewRect{0.0f, w, 0.0f, h};
    pan = Vec2{w * 0.5f, h * 0.5f};
}

float ApplicationGLUT::ScaleFor(int w, int h) const {
    return FitScale(wantedScale, w, h, screenArea);
}

bool ApplicationGLUT::FitsX(int w, int h, float s) {
    return IsWindowSide(static_cast<float>(ScaledSide(w, s))) &&
           IsWindowSide(static_cast<float>(ScaledSide(h, s)));
}

void ApplicationGLUT::FollowDesktop() {
    if (!platform::TakeDesktopChange()) {
        return;
    }
    if (followsDesktop) {
        wantedScale = platform::DesktopScale();
    }
    screenArea = platform::ReadScreenArea();
    const float fitted = ScaleFor(width, height);
    if (fitted != scale && FitsX(width, height, fitted)) {
        ApplyScale(fitted);
    }
}

ApplicationGLUT::Size ApplicationGLUT::DeviceSizeAt(float desktopScale) const {
    const float wanted = followsDesktop ? desktopScale : wantedScale;
    const float fitted = FitScale(wanted, width, height, screenArea);
    const float s = FitsX(width, height, fitted) ? fitted : scale;
    return {ScaledSide(width, s), ScaledSide(height, s)};
}

// The window is sized even when the factor stays: its frame is another at
// another DPI, and the window system waits for the size.
void ApplicationGLUT::FollowScaleNow() {
    const float before = scale;
    FollowDesktop();
    if (scale == before) {
        RequestDeviceSize(DeviceSize());
    }
}

void ApplicationGLUT::ApplyScale(float newScale) {
    scale = newScale;
    RequestDeviceSize(DeviceSize());
    // The pointer stays on its device pixel, which now lies elsewhere in the
    // world; a drag goes on from where it was rather than jump there.
    TakePointerPositionAsIs();
    InvalidatePicture();
}

void ApplicationGLUT::OnWindowResized(int w, int h) {
    windowSize = {w, h};
    InvalidatePicture();
}

void ApplicationGLUT::KeepWindowSize() {
    const Size device = DeviceSize();
    if (sizeKeeper.OnReports(device, platform::TakeSizeReports(), GetTime())) {
        platform::SizeWindow(device.width, device.height);
    }
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
    if (presenter.NeedsSwapBefore(WindowSizeNow())) {
        // The back buffer has another size than the window, or one not
        // known, and a swap makes the GL take up the window's size at the
        // next drawing. The buffer still holds the last picture, which is
        // what the window showed.
        SwapWhole();
    }
    presenter.StartFrame([this] { BeginFrameGL(CurrentFrameView()); });
}

// A copy keeps the back buffer for the next frame to draw over, and puts no
// more to the X server than a swap does.
void ApplicationGLUT::EndFrame() {
    if (CanPresentParts()) {
        PresentParts({{0, 0, windowSize.width, windowSize.height}});
        return;
    }
    SwapWhole();
}

void ApplicationGLUT::SwapWhole() {
    glutSwapBuffers();
    presenter.OnSwapped();
}

ApplicationGLUT::Size ApplicationGLUT::WindowSizeNow() const {
    return windowSize;
}

bool ApplicationGLUT::CanPresentParts() const {
    return DrawsPartialFrames() && presenter.BufferSize() == WindowSizeNow();
}

// A present that could not be made leaves the picture on screen in doubt.
void ApplicationGLUT::PresentParts(const std::vector<PixelRect>& rects) {
    if (!presenter.PresentParts(rects)) {
        InvalidatePicture();
    }
}

bool ApplicationGLUT::DrawFrameParts(const std::vector<WorldRect>& areas,
                                     const std::function<void(const WorldRect&)>& drawArea) {
    if (!CanPresentParts()) {
        return false;
    }
    const FrameView view = CurrentFrameView();
    // Parts that cover most of the window cost more than the whole frame.
    const long long window = static_cast<long long>(windowSize.width) * windowSize.height;
    if (!PlanFrameParts(view, areas, parts) || parts.DrawnArea() * 4 > window * 3) {
        return false;
    }
    if (parts.draw.empty()) {
        return true;
    }
    BeginPartialFrameGL(view);
    for (const PixelRect& part : parts.draw) {
        BeginPartGL(view, part.left, part.top, part.right, part.bottom);
        drawArea(WorldAreaOf(view, part));
    }
    EndPartGL();
    PresentParts(parts.present);
    return true;
}

ApplicationGLUT* CreateApplication(const WindowDescription& window) {
    auto* application = new ApplicationGLUT(window);
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
