// Closing the window of a host whose menu was built: the main loop returns,
// freeglut has torn itself down, and deleting the host must still end
// quietly. Its own process, since freeglut cannot be used after this.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>

#include "app_mode_slave.h"
#include "applet_mode_master.h"
#include "application_glut.h"
#include "x_test_client.h"

namespace {

class IdleMode : public AppModeSlave {};

XTestClient* windowManager = nullptr;
Window hostWindow = 0;

void RequestClose(int) {
    windowManager->RequestClose(hostWindow);
}

TEST(MenuShutdownTest, DeletingTheHostAfterItsWindowClosedEndsQuietly) {
    ApplicationGLUT* host = CreateApplication();
    ASSERT_NE(host, nullptr);
    AppMenu* menu = host->GetMenu();
    menu->Create();
    menu->AddSubMenu("File");
    menu->AddEntry("Open", 5, 'o', nullptr);
    ASSERT_TRUE(menu->IsCreated());

    XTestClient x;
    windowManager = &x;
    hostWindow = glXGetCurrentDrawable();
    glutTimerFunc(300, RequestClose, 0);
    IdleMode mode;
    AppletModeMaster stack(host, &mode);
    host->Run(static_cast<Applet*>(&stack));
    ASSERT_EQ(glutGet(GLUT_INIT_STATE), 0) << "freeglut is still set up after its main loop";

    delete host;
    SUCCEED() << "the process is still running after the host was deleted";
}

}  // namespace
