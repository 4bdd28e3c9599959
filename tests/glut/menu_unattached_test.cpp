// The menu as this program leaves it: handed out by the host but never
// created. Its own process, so that no other test has created it first.
// GoogleTest before Xlib, whose macros (None, Bool) break its headers.
#include <gtest/gtest.h>

#include <GL/freeglut.h>
#include <GL/glx.h>

#include <chrono>

#include "applet_mode_master.h"
#include "application_glut.h"
#include "event_log.h"
#include "glut_pump.h"
#include "recording_mode.h"
#include "x_test_client.h"

namespace {

bool AnyMenuWindowShowing(XTestClient& x) {
    return !x.FindPopupWindows().empty();
}

TEST(MenuBeforeCreateTest, EveryOperationIsIgnoredAndTheRightButtonShowsNothing) {
    ApplicationGLUT* host = CreateApplication();
    ASSERT_NE(host, nullptr);
    EventLog log;
    RecordingMode mode(log, "main");
    AppletModeMaster stack(host, &mode);
    host->Application::Run(static_cast<Applet*>(&stack));
    AppMenu* menu = mode.GetMenu();
    ASSERT_NE(menu, nullptr) << "the host hands out no menu";
    EXPECT_EQ(menu, host->GetMenu());
    EXPECT_FALSE(menu->IsCreated());

    bool flag = true;
    menu->AddSubMenu("File");
    menu->AddEntry("Open", 5, 'o', &flag);
    menu->AddSeparator();
    menu->SetEnabled(5, false);
    menu->SetToggle(5, false);
    EXPECT_EQ(glutGetMenu(), 0) << "a GLUT menu was made";
    EXPECT_TRUE(flag) << "SetToggle changed the byte of an entry never added";
    EXPECT_FALSE(menu->HasCommand(5));
    int id = 0;
    EXPECT_FALSE(menu->FindByKey('O', id));
    EXPECT_FALSE(menu->HandleKey('o'));
    menu->Invoke(5);
    menu->Invoke(-1);
    log.Clear();

    XTestClient x;
    const Window window = glXGetCurrentDrawable();
    ASSERT_TRUE(PumpUntil([&] { return x.FindWindows("Quillmere") == std::vector{window}; }))
        << "no mapped window titled Quillmere";
    x.MoveTo(window, 200, 200);
    ASSERT_TRUE(PumpUntil([&] {
        const Vec2 p = host->GetMousePos();
        return p.x == 200.0f && p.y == 200.0f;
    })) << "the pointer never reached the window";
    x.Click(3);
    // A menu would show within a few passes of the loop; none shows over
    // this time.
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_FALSE(AnyMenuWindowShowing(x)) << "a menu opened on the right click";
    for (const std::string& line : log.Entries()) {
        EXPECT_EQ(line.find("OnMouse"), std::string::npos) << line;
        EXPECT_EQ(line.find("OnCommand"), std::string::npos) << line;
    }
}

}  // namespace
