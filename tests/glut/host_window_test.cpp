// The window, frames and the view transform, read back from the real
// framebuffer.
#include "host_fixture.h"

#include <GL/freeglut.h>
#include <X11/Xproto.h>

#include <limits>

#include <cstdlib>

#include "platform.h"
#include "x_error_trap_x11.h"

namespace {

constexpr unsigned long kWhite = 0xFFFFFF;

std::vector<unsigned char> failedRequests;
int RecordFailedRequest(Display*, XErrorEvent* error) {
    failedRequests.push_back(error->request_code);
    return 0;
}
constexpr unsigned long kBlack = 0x000000;

class HostWindowTest : public HostTest {
protected:
    // What the X server shows in the host window once freeglut's requests,
    // the swap among them, have reached it.
    XTestClient::Image Screen() {
        XSync(shared.glutDisplay, False);
        return x.Capture(shared.window);
    }
    // Every frame from now on draws a black square of the given half size
    // around a world point.
    void DrawSquareAround(float wx, float wy, float half) {
        client.onDraw = [=] {
            glColor3f(0.0f, 0.0f, 0.0f);
            glRectf(wx - half, wy - half, wx + half, wy + half);
        };
    }
};

TEST_F(HostWindowTest, SetWindowSizeResizesTheWindowAndResetsTheView) {
    const XTestClient::Geometry g = x.GetGeometry(shared.window);
    EXPECT_EQ(g.width, 1024);
    EXPECT_EQ(g.height, 800);
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 1024);
    EXPECT_EQ(host.GetWidth(), 1024.0f);
    const ViewRect r = host.GetViewRect();
    EXPECT_EQ((std::vector<float>{r.xMin, r.xMax, r.yMin, r.yMax}),
              (std::vector<float>{0.0f, 1024.0f, 0.0f, 800.0f}));
    EXPECT_EQ(host.GetPan().x, 512.0f);
    EXPECT_EQ(host.GetPan().y, 400.0f);
    MoveTo(100, 50);
    EXPECT_EQ(host.GetMousePos().x, 100.0f);
    EXPECT_EQ(host.GetMousePos().y, 50.0f);
}

// X keeps sizes from 1 to 32767; anything else would end the process
// through Xlib's default error handler when the server refuses it.
TEST_F(HostWindowTest, SetWindowSizeRefusesSizesAWindowCannotHave) {
    host.SetPan(600.0f, 380.0f);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const auto& [w, h] : {std::pair{0.0f, 800.0f},
                               {1024.0f, 0.5f},
                               {-5.0f, 800.0f},
                               {32768.0f, 800.0f},
                               {1024.0f, 1e9f},
                               {inf, 800.0f},
                               {1024.0f, nan}}) {
        EXPECT_FALSE(host.SetWindowSize(w, h)) << w << " by " << h;
    }
    XSync(shared.glutDisplay, False);
    Pump();
    const XTestClient::Geometry g = x.GetGeometry(shared.window);
    EXPECT_EQ(g.width, 1024);
    EXPECT_EQ(g.height, 800);
    EXPECT_EQ(host.GetWidth(), 1024.0f);
    EXPECT_EQ(host.GetViewRect().xMax, 1024.0f);
    EXPECT_EQ(host.GetPan().x, 600.0f) << "a refused size reset the view";
    EXPECT_TRUE(host.SetWindowSize(32767.0f, 1.9f)) << "the largest and smallest sizes";
    EXPECT_EQ(host.GetHeight(), 1.0f);
}

TEST_F(HostWindowTest, AResizeByAnotherClientSnapsBackWithoutAnEvent) {
    x.Resize(shared.window, 700, 500);
    ASSERT_EQ(x.GetGeometry(shared.window).width, 700) << "the resize did not happen at all";
    const bool restored = PumpUntil([&] {
        const XTestClient::Geometry g = x.GetGeometry(shared.window);
        return g.width == 1024 && g.height == 800;
    });
    EXPECT_TRUE(restored) << "window stayed at " << x.GetGeometry(shared.window).width << "x"
                          << x.GetGeometry(shared.window).height;
    EXPECT_EQ(InputEvents(), std::vector<std::string>{});
    EXPECT_EQ(host.GetWidth(), 1024.0f);
}

TEST_F(HostWindowTest, FramesAreClearedWhiteDrawnInWorldUnitsAndSwapped) {
    // Drawn into the back buffer: black where the square is, white around it.
    unsigned char drawn[3] = {0x55, 0x55, 0x55};
    unsigned char cleared[3] = {0x55, 0x55, 0x55};
    client.onDraw = [&] {
        glColor3f(0.0f, 0.0f, 0.0f);
        glRectf(100.0f, 50.0f, 110.0f, 60.0f);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(105, 800 - 1 - 55, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, drawn);
        glReadPixels(300, 800 - 1 - 300, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, cleared);
    };
    host.Redraw();
    EXPECT_EQ((std::vector<int>{drawn[0], drawn[1], drawn[2]}), (std::vector<int>{0, 0, 0}))
        << "pixel (105,55) of the frame being drawn, inside the square";
    EXPECT_EQ((std::vector<int>{cleared[0], cleared[1], cleared[2]}),
              (std::vector<int>{255, 255, 255}))
        << "pixel (300,300) of the frame being drawn, outside the square";

    XTestClient::Image screen = Screen();
    EXPECT_EQ(screen.At(105, 55), kBlack) << "pixel (105,55) on screen after the swap";
    EXPECT_EQ(screen.At(115, 55), kWhite) << "pixel (115,55) on screen after the swap";
    EXPECT_EQ(screen.At(1020, 795), kWhite) << "pixel (1020,795) on screen after the swap";

    client.onDraw = nullptr;
    host.Redraw();
    EXPECT_EQ(Screen().At(105, 55), kWhite) << "the next frame was not cleared";
}

TEST_F(HostWindowTest, ZoomScalesAboutTheWindowCentre) {
    host.SetZoom(2.0f);
    EXPECT_EQ(host.GetZoom(), 2.0f);
    MoveTo(612, 400);
    EXPECT_EQ(host.GetMousePos().x, 562.0f);
    EXPECT_EQ(host.GetMousePos().y, 400.0f);
    DrawSquareAround(562.0f, 400.0f, 1.0f);
    host.Redraw();
    const XTestClient::Image screen = Screen();
    EXPECT_EQ(screen.At(612, 400), kBlack) << "world (562,400) is not drawn at pixel (612,400)";
    EXPECT_EQ(screen.At(562, 400), kWhite) << "world (562,400) drawn unzoomed";
}

TEST_F(HostWindowTest, PanChoosesTheWorldPointAtTheWindowCentre) {
    host.SetPan(600.0f, 400.0f);
    EXPECT_EQ(host.GetPan().x, 600.0f);
    EXPECT_EQ(host.GetPan().y, 400.0f);
    MoveTo(512, 400);
    EXPECT_EQ(host.GetMousePos().x, 600.0f);
    EXPECT_EQ(host.GetMousePos().y, 400.0f);
    DrawSquareAround(600.0f, 400.0f, 2.0f);
    host.Redraw();
    const XTestClient::Image screen = Screen();
    EXPECT_EQ(screen.At(512, 400), kBlack) << "world (600,400) is not drawn at the centre";
    EXPECT_EQ(screen.At(600, 400), kWhite) << "world (600,400) drawn without the pan";
}

TEST_F(HostWindowTest, AnOddViewWidthMapsEachPixelToThePointDrawnUnderIt) {
    host.SetWindowSize(1023.0f, 800.0f);
    const Vec2 p = host.WindowToWorld(100.0f, 50.0f);
    EXPECT_EQ(p.x, 100.0f);
    EXPECT_EQ(p.y, 50.0f);
}

TEST_F(HostWindowTest, ZoomRefusesZeroTinyAndNonFiniteValues) {
    host.SetZoom(2.0f);
    for (const float z :
         {0.0f, -0.0f, std::numeric_limits<float>::denorm_min(),
          std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
          std::numeric_limits<float>::quiet_NaN()}) {
        host.SetZoom(z);
        EXPECT_EQ(host.GetZoom(), 2.0f) << "zoom " << z << " was taken";
    }
    MoveTo(612, 400);
    EXPECT_EQ(host.GetMousePos().x, 562.0f);
    host.SetZoom(-1.0f);
    EXPECT_EQ(host.GetZoom(), -1.0f) << "a negative zoom mirrors the view and is allowed";
}

TEST_F(HostWindowTest, CursorKindsOutsideTheTableGetTheInheritedCursor) {
    const std::vector<std::pair<int, int>> cases = {
        {2, GLUT_CURSOR_CROSSHAIR}, {7, GLUT_CURSOR_INHERIT}, {6, GLUT_CURSOR_TEXT},
        {-1, GLUT_CURSOR_INHERIT},  {0, GLUT_CURSOR_NONE},    {1000, GLUT_CURSOR_INHERIT},
    };
    for (const auto& [kind, cursor] : cases) {
        host.SetCursor(kind);
        EXPECT_EQ(glutGet(GLUT_WINDOW_CURSOR), cursor) << "cursor kind " << kind;
    }
    host.SetCursor(1);
}

// The presenter counts its own refused presents and leaves every other
// failed PutImage, on its connection too, to the handler before it.
TEST_F(HostWindowTest, ThePresenterTakesTheErrorsOfItsOwnPresentsAlone) {
    Display* display = shared.glutDisplay;
    XSetErrorHandler(RecordFailedRequest);
    failedRequests.clear();
    // A trap puts the platform's handler back over the test's.
    XErrorTrap trap(display, BadWindow, {X_GetProperty});
    // Through MIT-SHM the server refuses a rectangle beyond the back buffer.
    EXPECT_FALSE(platform::PresentParts({{0, 0, 1024, 2000}}, 2000));
    char* data = static_cast<char*>(std::calloc(4, 1));
    XImage* image = XCreateImage(display, DefaultVisual(display, DefaultScreen(display)), 24,
                                 ZPixmap, 0, data, 1, 1, 32, 0);
    XPutImage(display, 0x3fffff1, DefaultGC(display, DefaultScreen(display)), image, 0, 0, 0, 0, 1,
              1);
    XSync(display, False);
    XDestroyImage(image);
    EXPECT_EQ(failedRequests, std::vector<unsigned char>{X_PutImage});
}

}  // namespace
