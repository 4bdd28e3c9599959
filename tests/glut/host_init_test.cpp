// What CreateApplication leaves behind, before anything changes the window.
// Its own process: the host can be created only once per process.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>

#include "application_glut.h"
#include "event_log.h"
#include "glut_pump.h"
#include "recording_client.h"
#include "x_test_client.h"

namespace {

TEST(HostInitTest, OpensADoubleBufferedRgbWindowAt100By100Of640By480) {
    ApplicationGLUT* host = CreateApplication();
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(GetApplication(), host);
    EventLog log;
    RecordingClient client(log);
    host->Application::Run(&client);

    const Window window = glXGetCurrentDrawable();
    XTestClient x;
    PumpUntil([&] { return !x.FindWindows("Quillmere").empty(); });
    ASSERT_EQ(x.FindWindows("Quillmere"), std::vector<Window>{window})
        << "no mapped window titled Quillmere";

    const XTestClient::Geometry g = x.GetGeometry(window);
    EXPECT_EQ(g.x, 100);
    EXPECT_EQ(g.y, 100);
    EXPECT_EQ(g.width, 640);
    EXPECT_EQ(g.height, 480);
    EXPECT_EQ(glutGet(GLUT_WINDOW_DOUBLEBUFFER), 1);
    EXPECT_EQ(glutGet(GLUT_WINDOW_RGBA), 1);
    EXPECT_EQ(glutGet(GLUT_ACTION_ON_WINDOW_CLOSE), GLUT_ACTION_GLUTMAINLOOP_RETURNS);

    const ViewRect r = host->GetViewRect();
    EXPECT_EQ((std::vector<float>{r.xMin, r.xMax, r.yMin, r.yMax}),
              (std::vector<float>{0.0f, 640.0f, 0.0f, 480.0f}));
    EXPECT_EQ(host->GetPan().x, 320.0f);
    EXPECT_EQ(host->GetPan().y, 240.0f);
    EXPECT_EQ(host->GetZoom(), 1.0f);

    x.MoveTo(window, 10, 20);
    PumpUntil([&] { return host->GetMousePos().x == 10.0f && host->GetMousePos().y == 20.0f; });
    EXPECT_EQ(host->GetMousePos().x, 10.0f);
    EXPECT_EQ(host->GetMousePos().y, 20.0f);
}

}  // namespace
