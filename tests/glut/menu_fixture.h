#pragma once

#include <string>
#include <vector>

#include "app_menu.h"
#include "applet_mode_master.h"
#include "host_fixture.h"
#include "menu_spy.h"
#include "recording_mode.h"

using Items = std::vector<menu_spy::Item>;
using Lines = std::vector<std::string>;

// The shared host with a mode stack as its client, "main" at the bottom and
// "tool" on top, and its menu freshly created: commands that reach the top
// mode through the application and the stack are logged as
// "tool.OnCommand(id)", then "main.OnCommand(id)" as the top mode passes
// them down.
class MenuTest : public HostTest {
protected:
    MenuTest();
    ~MenuTest() override;

    // The OnCommand lines of the log, in order.
    Lines Commands() const;
    // GLUT's id of the submenu that AddSubMenu added as the given one (from 0).
    int SubMenuId(int index) const;
    // Checks a menu as freeglut holds it: the number of items that freeglut
    // itself reports, and the labels and values it was handed.
    void ExpectItems(int glutMenu, const Items& expected, const std::string& what) const;

    AppMenu& menu;
    int rootMenu = 0;
    RecordingMode bottom{log, "main"};
    RecordingMode top{log, "tool"};
    AppletModeMaster stack{&host, &bottom};
};
