#pragma once

// The one concrete application: binds Application to a single freeglut
// window. It registers the GLUT callbacks that raise App events on itself,
// drives the paced update from the display and idle callbacks, and answers
// the services that need the window system.
//
// Implemented: a window that appears once, at the size, class and icon the
// program asks for, pointer position, modifiers, click and double-click,
// dragging, cursor, window size (the window manager is told the size is
// fixed and a user's resize is undone, but a size the window manager insists
// on is taken), a view that maps pointer and picture alike at any window
// size, view pan and zoom, the wheel, the popup menu that GetMenu hands out,
// an idle callback that sleeps between updates and for as long as nothing
// needs updating, frames that draw and present only the parts of the window
// that changed where the GL can present parts (whole frames otherwise), and a
// picture that comes back at once when the window is exposed, and the
// desktop's scale factor: the window is that many device pixels for each of
// the program's units (sizes, the view and pointer positions stay in units),
// scaled down to fit the screen where it must, and it follows the desktop's
// changes of the factor while it runs.

#include <string>

#include "app_menu_glut.h"
#include "application.h"
#include "desktop_scale.h"
#include "frame_gl.h"
#include "frame_parts.h"
#include "part_presenter.h"
#include "size_keeper.h"
#include "window_description.h"

class ApplicationGLUT : public Application {
    // A pointer position in window pixels.
    struct Pixel {
        int x = 0;
        int y = 0;
        bool operator==(const Pixel&) const = default;
    };
    // A window's size in device pixels, as the size keeper, the presenter
    // and the platform take it.
    using Size = SizeKeeper::Size;

public:
    // The window Init opens; CreateApplication passes it on.
    explicit ApplicationGLUT(const WindowDescription& window);
    ~ApplicationGLUT() override;

    // Titled "Quillmere", 640 by 480, with no class or icon of its own.
    static WindowDescription DefaultWindow();

    ViewRect GetViewRect() override;
    AppMenu* GetMenu() override;
    Vec2 GetMousePos() override;
    bool IsDoubleClick() override { return doubleClick; }
    bool IsClick() override { return click; }
    bool IsDragging() override;
    bool IsShiftDown() override;
    bool IsCtrlDown() override;
    bool IsAltDown() override;
    // In units: the window gets so many device pixels at the scale factor.
    // Sizes below 1, above what X can have at the factor or not finite are
    // refused with false, and the window and view stay as they are.
    bool SetWindowSize(float w, float h) override;
    // Kinds outside 0..6 get the inherited cursor.
    void SetCursor(int kind) override;
    void Reserved1() override {}
    void Reserved2(int /*value*/) override {}

    // Installs the client and enters the GLUT main loop. Returns when the
    // window is closed.
    void Run(App* client) override;
    void SetTitle(const char* title) override;
    void SetNotice(const char* text) override;
    void SetPan(float x, float y) override;
    Vec2 GetPan() override;
    // A zoom of 0 or one that is not finite is refused; the zoom stays.
    void SetZoom(float z) override;
    float GetZoom() override { return zoom; }
    // A whole frame: the window cleared, the view set, and on EndFrame the
    // whole window presented.
    void BeginFrame() override;
    void EndFrame() override;
    bool Init() override;

    // Whether frames may draw and present only the parts that changed, where
    // the GL allows it (the default); off, every frame is drawn and swapped
    // whole.
    void SetPartialFrames(bool allowed) { partialFrames = allowed; }
    bool DrawsPartialFrames() const { return partialFrames && presenter.CanPresentParts(); }

    // The kept size, in units.
    float GetWidth() const { return static_cast<float>(width); }
    float GetHeight() const { return static_cast<float>(height); }
    // Device pixels for each unit, as the window is drawn now.
    float GetScale() const { return scale; }
    // The window's real size in device pixels as the window system last
    // reported it, which a window manager may have made other than the kept
    // size.
    int WindowWidth() const { return windowSize.width; }
    int WindowHeight() const { return windowSize.height; }

    // The window's real size and the view, as the coming frame draws them.
    FrameView CurrentFrameView() const;
    // The world point under a window pixel.
    Vec2 WindowToWorld(float px, float py) const;

protected:
    bool DrawFrameParts(const std::vector<WorldRect>& areas,
                        const std::function<void(const WorldRect&)>& drawArea) override;

private:
    friend void DisplayCallback();
    friend void IdleCallback();
    friend void MotionCallback(int x, int y);
    friend void MouseCallback(int button, int state, int x, int y);
    friend void KeyboardCallback(unsigned char key, int x, int y);
    friend void SpecialCallback(int key, int x, int y);
    friend void ReshapeCallback(int w, int h);

    // Half the kept window size: where zoom scales about, and where the
    // centre point of the pan is shown.
    Vec2 ViewCentre() const;
    // The kept size in device pixels at the scale factor.
    Size DeviceSize() const;
    // Units for each device pixel: the reciprocal of the scale factor.
    float PixelScale() const;
    // Asks the window system for the window's size in device pixels, and
    // has the size keeper and the window's hints hold it.
    void RequestDeviceSize(Size device);
    // The view of a window of w by h units: all of it, its middle at the
    // window's middle.
    void ResetView(float w, float h);
    // The wanted factor, or a smaller one with which a window of so many
    // units fits the screen.
    float ScaleFor(int w, int h) const;
    // Whether X can have a window of so many units at the factor.
    static bool FitsX(int w, int h, float s);
    // Draws at a new factor from now on: the window is asked for its new
    // size and the picture drawn anew, the world left as it is.
    void ApplyScale(float newScale);
    // The desktop's scale or room changed: the factor is decided again.
    void FollowDesktop();
    // The window's size in device pixels once the desktop's factor is this.
    Size DeviceSizeAt(float desktopScale) const;
    // The desktop's factor changed and the window system waits for the
    // window to follow: it does, and is sized, now.
    void FollowScaleNow();
    // The window system reported a new size for the window.
    void OnWindowResized(int w, int h);
    // The window's size as the window system last reported it.
    Size WindowSizeNow() const;
    // Whether the back buffer is known to be of the window's size, so that
    // parts of it can be presented.
    bool CanPresentParts() const;
    void SwapWhole();
    void PresentParts(const std::vector<PixelRect>& rects);
    // Answers what the window system reported about the window's size with
    // at most one request for the kept size.
    void KeepWindowSize();

    // Constructed after the Application base and destroyed after the wheel
    // is released.
    AppMenuGLUT menu;
    WindowDescription windowDescription;
    float scale = 1.0f;
    // The factor asked for (by the program, GDK_SCALE or the desktop), before
    // it is fitted to the screen, and whether the desktop decides it.
    float wantedScale = 1.0f;
    bool followsDesktop = false;
    ScreenArea screenArea;
    float zoom = 1.0f;
    Vec2 pan;
    bool doubleClick = false;
    bool click = false;
    bool hasNotice = false;
    std::string notice;
    int width = 640;
    int height = 480;
    ViewRect viewRect;
    int windowId = 0;
    // Before the first input callback the pointer counts as being at the top
    // left corner and no modifier as held.
    Pixel pointerPixel;
    int modifiers = 0;
    Pixel pressPixel;
    Size windowSize;
    // Whether a reshape should ask for the kept size back.
    SizeKeeper sizeKeeper;
    bool partialFrames = true;
    PartPresenter presenter;
    FrameParts parts;
};

// Creates the one host, publishes it as the current application and runs its
// Init, which opens the window described (by default 640 by 480).
// Null if Init failed.
ApplicationGLUT* CreateApplication(
    const WindowDescription& window = ApplicationGLUT::DefaultWindow());
// The current application, or null.
ApplicationGLUT* GetApplication();
