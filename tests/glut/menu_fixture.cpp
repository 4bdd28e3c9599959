#include "menu_fixture.h"

#include <GL/freeglut.h>

MenuTest::MenuTest() : menu(*host.GetMenu()) {
    top.Push();
    host.Application::Run(static_cast<Applet*>(&stack));
    menu.Create();
    rootMenu = glutGetMenu();
    log.Clear();
}

// The stack dies with this fixture; the host must not hand it anything more
// while the base fixture releases buttons.
MenuTest::~MenuTest() {
    host.Application::Run(&client);
}

Lines MenuTest::Commands() const {
    Lines commands;
    for (const std::string& line : log.Entries()) {
        if (line.find(".OnCommand(") != std::string::npos) {
            commands.push_back(line);
        }
    }
    return commands;
}

int MenuTest::SubMenuId(int index) const {
    const Items& items = menu_spy::Items(rootMenu);
    return index < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(index)].value
                                                  : 0;
}

void MenuTest::ExpectItems(int glutMenu, const Items& expected, const std::string& what) const {
    glutSetMenu(glutMenu);
    EXPECT_EQ(glutGet(GLUT_MENU_NUM_ITEMS), static_cast<int>(expected.size()))
        << "items freeglut reports in " << what;
    EXPECT_EQ(menu_spy::Items(glutMenu), expected) << "items freeglut was handed for " << what;
}
