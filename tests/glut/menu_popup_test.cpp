// The menu as a user meets it: a real right-button click through XTest opens
// it at the pointer, the pointer moves over freeglut's own menu windows, and
// a click on an entry chooses it. freeglut offers no way to read a label
// back, but it sizes each menu window to its widest label, so the window
// widths show which labels freeglut really shows.
#include "menu_fixture.h"

#include <X11/Xlib.h>

#include <GL/freeglut.h>

#include <algorithm>
#include <optional>

namespace {

using Geometry = XTestClient::Geometry;

const std::string kName63 = "abcdefghij0123456789ABCDEFGHIJabcdefghij0123456789ABCDEFGHIJxyz";

// freeglut draws its menus in this font unless told otherwise.
int TextWidth(const std::string& text) {
    return glutBitmapLength(GLUT_BITMAP_HELVETICA_18,
                            reinterpret_cast<const unsigned char*>(text.c_str()));
}

class MenuPopupTest : public MenuTest {
protected:
    MenuPopupTest() : hostWindow(x.GetGeometry(shared.window)) {}

    ~MenuPopupTest() override {
        for (int attempt = 0; attempt < 3 && !OpenMenus().empty(); ++attempt) {
            MoveTo(1000, 780);
            x.Click(1);
            PumpUntil([&] { return OpenMenus().empty(); });
        }
    }

    // freeglut's menu windows that are showing: the only override-redirect
    // windows on this server.
    std::vector<Window> OpenMenus() { return x.FindPopupWindows(); }

    void MoveOnScreen(int sx, int sy) {
        x.MoveTo(DefaultRootWindow(x.GetDisplay()), sx, sy);
        Pump();
        Pump();
    }

    // Right-clicks at a window pixel; the root menu that opened, or none.
    std::optional<Window> OpenMenuAt(int px, int py) {
        MoveTo(px, py);
        x.Click(3);
        if (!PumpUntil([&] { return OpenMenus().size() == 1; })) {
            return std::nullopt;
        }
        return OpenMenus().front();
    }

    // Moves the pointer down the middle of the root menu until the given
    // number of submenus has opened, one after the other; their geometries.
    // The pointer stays on the item of the last one.
    std::vector<Geometry> HoverSubMenus(Window rootWindow, int count) {
        const Geometry root = x.GetGeometry(rootWindow);
        std::vector<Window> seen;
        std::vector<Geometry> opened;
        for (int y = root.y + 1; y < root.y + root.height && static_cast<int>(seen.size()) < count;
             y += 2) {
            MoveOnScreen(root.x + root.width / 2, y);
            for (const Window w : OpenMenus()) {
                if (w != rootWindow && std::find(seen.begin(), seen.end(), w) == seen.end()) {
                    seen.push_back(w);
                    opened.push_back(x.GetGeometry(w));
                }
            }
        }
        return opened;
    }

    // Moves from the hovered root item straight across into its submenu,
    // then down onto an entry, and clicks the right button there.
    void ClickEntry(const Geometry& subMenu, int entry) {
        const int y = subMenu.y + border / 2 + pitch * entry + pitch / 2;
        MoveOnScreen(subMenu.x + subMenu.width / 2, subMenu.y + border / 2 + pitch / 2);
        MoveOnScreen(subMenu.x + subMenu.width / 2, y);
        x.Click(3);
        PumpUntil([&] { return OpenMenus().empty(); });
        Pump();
    }

    // Learns freeglut's layout from a submenu of one entry "W" and one of
    // three entries: the room around the widest label, the height of an
    // entry and the border above and below them.
    void Measure(const Geometry& oneEntry, const Geometry& threeEntries) {
        padding = oneEntry.width - TextWidth("W");
        pitch = (threeEntries.height - oneEntry.height) / 2;
        border = oneEntry.height - pitch;
    }

    // Builds: "Ruler" with the entry "W"; "Long" with a toggle named by 63
    // characters; "View" with "Open", a toggle "Grid" and "Close".
    void BuildMenu() {
        menu.AddSubMenu("Ruler");
        menu.AddEntry("W", 1, 0, nullptr);
        menu.AddSubMenu("Long");
        menu.AddEntry(kName63.c_str(), 2, 0, &longToggle);
        menu.AddSubMenu("View");
        menu.AddEntry("Open", 21, 0, nullptr);
        menu.AddEntry("Grid", 22, 0, &grid);
        menu.AddEntry("Close", 23, 0, nullptr);
    }

    // Opens the menu and hovers down to "View"; the three submenus' geometries.
    std::vector<Geometry> OpenDownToView() {
        const std::optional<Window> root = OpenMenuAt(150, 150);
        if (!root) {
            ADD_FAILURE() << "no menu window opened on the right click at (150, 150)";
            return {};
        }
        std::vector<Geometry> subMenus = HoverSubMenus(*root, 3);
        if (subMenus.size() != 3) {
            ADD_FAILURE() << "hovering the root menu opened " << subMenus.size()
                          << " submenus instead of 3";
            return {};
        }
        return subMenus;
    }

    const Geometry hostWindow;
    bool longToggle = false;
    bool grid = false;
    int padding = 0;
    int pitch = 0;
    int border = 0;
};

TEST_F(MenuPopupTest, ARightClickOpensTheMenuAtThePointerAndAClickChoosesAnEntry) {
    BuildMenu();
    const std::optional<Window> root = OpenMenuAt(150, 150);
    ASSERT_TRUE(root) << "no menu window opened on the right click";
    const Geometry rootGeometry = x.GetGeometry(*root);
    EXPECT_EQ(rootGeometry.x, hostWindow.x + 150);
    EXPECT_EQ(rootGeometry.y, hostWindow.y + 150);

    const std::vector<Geometry> subMenus = HoverSubMenus(*root, 3);
    ASSERT_EQ(subMenus.size(), 3u) << "submenus opened while hovering the root menu";
    const Geometry& ruler = subMenus[0];
    const Geometry& longMenu = subMenus[1];
    const Geometry& view = subMenus[2];
    Measure(ruler, view);
    ASSERT_GT(pitch, 0);
    EXPECT_EQ(view.width, padding + TextWidth("Turn Grid On")) << "View's widest label";
    EXPECT_EQ(longMenu.width, padding + TextWidth("Turn " + kName63.substr(0, 60)))
        << "the toggle named by 63 characters, cut to 65";

    ClickEntry(view, 1);
    EXPECT_TRUE(OpenMenus().empty()) << "the menu stayed open after the choice";
    EXPECT_EQ(InputEvents(), (Lines{"tool.OnCommand(22)", "main.OnCommand(22)"}));
    EXPECT_TRUE(grid) << "choosing the toggle did not flip it";
}

TEST_F(MenuPopupTest, FreeglutShowsTheLabelsThatChoicesAndDisablingGiveEntries) {
    BuildMenu();
    menu.Invoke(22);
    std::vector<Geometry> subMenus = OpenDownToView();
    ASSERT_EQ(subMenus.size(), 3u);
    Measure(subMenus[0], subMenus[2]);
    EXPECT_EQ(subMenus[2].width, padding + TextWidth("Turn Grid Off")) << "after Grid was chosen";
    ClickEntry(subMenus[2], 0);
    EXPECT_EQ(Commands(), (Lines{"tool.OnCommand(22)", "main.OnCommand(22)", "tool.OnCommand(21)",
                                 "main.OnCommand(21)"}))
        << "Grid invoked, then Open chosen with the pointer";

    log.Clear();
    menu.SetEnabled(23, false);
    subMenus = OpenDownToView();
    ASSERT_EQ(subMenus.size(), 3u);
    EXPECT_EQ(subMenus[2].width, padding + TextWidth("Close [disabled]"));
    ClickEntry(subMenus[2], 2);
    EXPECT_TRUE(OpenMenus().empty()) << "the menu stayed open after choosing a disabled entry";
    EXPECT_EQ(InputEvents(), Lines{}) << "the disabled Close was chosen";
}

}  // namespace
