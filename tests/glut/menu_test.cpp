// The host's popup menu built on real freeglut menus: what freeglut holds
// after each operation, and the commands that reach the top mode when an
// entry is chosen or its shortcut typed.
#include "menu_fixture.h"

#include <GL/freeglut.h>

#include <cstdint>
#include <new>

#include "app_menu_glut.h"

namespace {

using Item = menu_spy::Item;

std::string Numbered(const char* prefix, int number) {
    std::string text = prefix;
    text += std::to_string(number);
    return text;
}

const std::string kName63 = "abcdefghij0123456789ABCDEFGHIJabcdefghij0123456789ABCDEFGHIJxyz";

TEST_F(MenuTest, TheHostAndEveryModeReachTheSameMenu) {
    EXPECT_EQ(host.GetMenu(), &menu);
    EXPECT_EQ(stack.GetMenu(), &menu) << "asked of the mode stack";
    EXPECT_EQ(top.GetMenu(), &menu) << "asked by the top mode";
    EXPECT_TRUE(menu.IsCreated());
    EXPECT_NE(rootMenu, 0);
    ExpectItems(rootMenu, {}, "the new root menu");
}

TEST_F(MenuTest, EntriesBeforeTheFirstSubMenuAddNothing) {
    bool flag = true;
    menu.AddEntry("Early", 5, 'e', &flag);
    menu.AddSeparator();
    ExpectItems(rootMenu, {}, "the root menu");
    EXPECT_TRUE(flag) << "the toggle of an entry never added was set";
    EXPECT_FALSE(menu.HasCommand(5));
    EXPECT_FALSE(menu.HandleKey('e'));
    menu.Invoke(5);
    EXPECT_EQ(Commands(), Lines{});

    menu.AddSubMenu("Tools");
    menu.AddEntry("Late", 5, 0, nullptr);
    ExpectItems(rootMenu, {Item{"Tools", SubMenuId(0)}}, "the root menu");
    ExpectItems(SubMenuId(0), {Item{"Late", 5}}, "submenu Tools");
}

TEST_F(MenuTest, TwelveSubMenusOfTwentyEntriesAtMostAndEntriesGoToTheLastAdded) {
    Items rootItems;
    for (int s = 0; s < 13; ++s) {
        menu.AddSubMenu(Numbered("S", s).c_str());
        menu.AddEntry(Numbered("E", s).c_str(), 100 + s, 0, nullptr);
    }
    for (int s = 0; s < 12; ++s) {
        rootItems.push_back(Item{Numbered("S", s), SubMenuId(s)});
    }
    ExpectItems(rootMenu, rootItems, "the root menu after 13 submenus");
    ExpectItems(SubMenuId(0), {Item{"E0", 100}}, "submenu S0");
    ExpectItems(SubMenuId(11), {Item{"E11", 111}, Item{"E12", 112}},
                "submenu S11, which takes the entry after the ignored 13th submenu");

    Items last = {Item{"E11", 111}, Item{"E12", 112}};
    for (int e = 2; e < 21; ++e) {
        menu.AddEntry(Numbered("F", e).c_str(), 200 + e, 'z', nullptr);
        if (e < 20) {
            last.push_back(Item{Numbered("F", e), 200 + e});
        }
    }
    ExpectItems(SubMenuId(11), last, "submenu S11 after 21 entries");
    EXPECT_TRUE(menu.HasCommand(219)) << "the 20th entry";
    EXPECT_FALSE(menu.HasCommand(220)) << "the 21st entry";
    menu.Invoke(220);
    EXPECT_EQ(Commands(), Lines{});
}

TEST_F(MenuTest, LetterKeysAreStoredUpperCaseAndFoundByTheOtherCase) {
    menu.AddSubMenu("File");
    menu.AddEntry("Quit", 9, 'q', nullptr);
    menu.AddEntry("Next", 10, 'N', nullptr);
    menu.AddEntry("First", 11, '1', nullptr);

    int id = 0;
    EXPECT_TRUE(menu.FindByKey('Q', id));
    EXPECT_EQ(id, 9);
    EXPECT_FALSE(menu.FindByKey('q', id)) << "'q' must be stored as 'Q'";

    EXPECT_FALSE(menu.HandleKey('Q'));
    EXPECT_EQ(Commands(), Lines{}) << "after HandleKey('Q')";
    EXPECT_TRUE(menu.HandleKey('q'));
    EXPECT_EQ(Commands(), (Lines{"tool.OnCommand(9)", "main.OnCommand(9)"}))
        << "after HandleKey('q')";

    log.Clear();
    EXPECT_FALSE(menu.HandleKey('N'));
    EXPECT_TRUE(menu.HandleKey('n'));
    EXPECT_TRUE(menu.HandleKey('1'));
    EXPECT_FALSE(menu.HandleKey(1000)) << "the code of the Left key";
    menu.AddEntry("No shortcut", 12, 0, nullptr);
    EXPECT_FALSE(menu.FindByKey(0, id)) << "key 0 means no shortcut";
    EXPECT_FALSE(menu.HandleKey(0)) << "key 0 must not invoke an entry without a shortcut";
    EXPECT_EQ(Commands(), (Lines{"tool.OnCommand(10)", "main.OnCommand(10)", "tool.OnCommand(11)",
                                 "main.OnCommand(11)"}));
}

TEST_F(MenuTest, ChoosingAToggleFlipsItsByteRelabelsItAndSendsTheCommand) {
    bool grid = false;
    bool snap = true;
    menu.AddSubMenu("View");
    menu.AddEntry("Grid", 22, 'g', &grid);
    menu.AddEntry("Snap", 23, 0, &snap);
    const int view = SubMenuId(0);
    ExpectItems(view, {Item{"Turn Grid On", 22}, Item{"Turn Snap Off", 23}}, "the new toggles");

    menu.Invoke(22);
    EXPECT_TRUE(grid);
    ExpectItems(view, {Item{"Turn Grid Off", 22}, Item{"Turn Snap Off", 23}}, "Grid chosen once");
    EXPECT_EQ(Commands(), (Lines{"tool.OnCommand(22)", "main.OnCommand(22)"}));

    menu.HandleKey('g');
    EXPECT_FALSE(grid);
    ExpectItems(view, {Item{"Turn Grid On", 22}, Item{"Turn Snap Off", 23}}, "Grid chosen twice");

    log.Clear();
    menu.SetToggle(23, false);
    EXPECT_FALSE(snap);
    ExpectItems(view, {Item{"Turn Grid On", 22}, Item{"Turn Snap On", 23}}, "Snap set off");
    EXPECT_EQ(Commands(), Lines{}) << "SetToggle sends no command";
}

TEST_F(MenuTest, ADisabledEntrySendsNothingButItsToggleStillFlips) {
    bool grid = false;
    menu.AddSubMenu("Edit");
    menu.AddEntry("Save", 30, 's', nullptr);
    menu.AddEntry("Grid", 31, 0, &grid);
    const int edit = SubMenuId(0);

    menu.SetEnabled(30, false);
    menu.SetEnabled(31, false);
    ExpectItems(edit, {Item{"Save [disabled]", 30}, Item{"Grid [disabled]", 31}}, "both disabled");

    menu.Invoke(30);
    EXPECT_TRUE(menu.HandleKey('s')) << "a disabled entry is still found by its key";
    menu.Invoke(31);
    EXPECT_EQ(Commands(), Lines{});
    EXPECT_TRUE(grid) << "the disabled toggle did not flip";
    ExpectItems(edit, {Item{"Save [disabled]", 30}, Item{"Turn Grid Off", 31}},
                "the disabled toggle chosen");

    menu.SetEnabled(30, true);
    ExpectItems(edit, {Item{"Save", 30}, Item{"Turn Grid Off", 31}}, "Save enabled again");
    menu.Invoke(30);
    EXPECT_EQ(Commands(), (Lines{"tool.OnCommand(30)", "main.OnCommand(30)"}));
}

// Slot numbers run across the submenus (entry 3 of the first submenu comes
// after entry 0 of the second), but lookups go submenu by submenu.
TEST_F(MenuTest, OperationsByIdAndKeyActOnTheFirstEntryInLookupOrder) {
    bool first = false;
    bool second = false;
    menu.AddSubMenu("A");
    menu.AddEntry("A0", 1, 0, nullptr);
    menu.AddEntry("A1", 2, 0, nullptr);
    menu.AddEntry("A2", 3, 0, nullptr);
    menu.AddEntry("Alpha", 50, 'k', &first);
    menu.AddSubMenu("B");
    menu.AddEntry("Beta", 50, 0, &second);
    menu.AddEntry("Kappa", 60, 'k', nullptr);
    const int a = SubMenuId(0);
    const int b = SubMenuId(1);

    menu.SetEnabled(50, false);
    menu.SetToggle(50, true);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second) << "SetToggle reached the second entry with id 50";
    menu.Invoke(50);
    EXPECT_FALSE(first);
    EXPECT_FALSE(second) << "Invoke reached the second entry with id 50";
    EXPECT_EQ(Commands(), Lines{}) << "the first entry with id 50 is disabled";
    EXPECT_EQ(menu_spy::Items(a).at(3), (Item{"Turn Alpha On", 50}));
    EXPECT_EQ(menu_spy::Items(b).at(0), (Item{"Beta", 50}))
        << "even the toggle label of its own AddEntry goes to the first entry with id 50";

    menu.SetEnabled(50, true);
    int id = 0;
    EXPECT_TRUE(menu.FindByKey('K', id));
    EXPECT_EQ(id, 50);
    EXPECT_TRUE(menu.HandleKey('k'));
    EXPECT_EQ(Commands(), (Lines{"tool.OnCommand(50)", "main.OnCommand(50)"}));
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
}

TEST_F(MenuTest, NamesAreKeptTo63CharactersAndLabelsCutTo65) {
    ASSERT_EQ(kName63.size(), 63u);
    const std::string name100 = kName63 + std::string(37, '#');
    bool on = false;
    menu.AddSubMenu("Long");
    menu.AddEntry(kName63.c_str(), 70, 0, &on);
    menu.AddEntry(name100.c_str(), 71, 0, nullptr);
    const int longMenu = SubMenuId(0);

    const std::string toggleLabel = "Turn " + kName63.substr(0, 60);
    EXPECT_EQ(menu_spy::Items(longMenu).at(0).label, toggleLabel);

    menu.SetEnabled(70, false);
    EXPECT_EQ(menu_spy::Items(longMenu).at(0).label, kName63 + " [");
    menu.SetToggle(70, true);
    EXPECT_EQ(menu_spy::Items(longMenu).at(0).label, toggleLabel);

    menu.SetEnabled(71, true);
    EXPECT_EQ(menu_spy::Items(longMenu).at(1).label, kName63) << "the 100-character name, kept";
    menu.SetEnabled(71, false);
    EXPECT_EQ(menu_spy::Items(longMenu).at(1).label, kName63 + " [");
}

TEST_F(MenuTest, ASecondCreateStartsAnEmptyMenuThatKeepsNothingOfTheFirst) {
    bool flag = false;
    menu.AddSubMenu("Old");
    menu.AddEntry("Keep", 7, 'k', &flag);
    menu.AddSeparator();
    const int oldRoot = rootMenu;

    menu.Create();
    const int newRoot = glutGetMenu();
    EXPECT_TRUE(menu_spy::WasDestroyed(oldRoot));
    EXPECT_NE(newRoot, oldRoot);
    EXPECT_TRUE(menu.IsCreated());
    ExpectItems(newRoot, {}, "the second root menu");
    EXPECT_FALSE(menu.HasCommand(7));

    // The new submenu's slots are where the old entries were.
    menu.AddSubMenu("New");
    int id = 0;
    EXPECT_FALSE(menu.FindByKey('K', id)) << "found the old key, with id " << id;
    EXPECT_FALSE(menu.HandleKey('k'));
    menu.Invoke(7);
    menu.Invoke(-1);
    EXPECT_EQ(Commands(), Lines{});
    EXPECT_FALSE(flag);

    menu.AddEntry("Fresh", 8, 'f', nullptr);
    EXPECT_TRUE(menu.HandleKey('f'));
    EXPECT_EQ(Commands(), (Lines{"tool.OnCommand(8)", "main.OnCommand(8)"}));
}

// A heap block handed to a new host holds whatever was there before. Here it
// holds the key 'Q' in every word, so that a slot that kept garbage would be
// found by HandleKey('q') and would send its garbage target a command.
TEST_F(MenuTest, SlotsThatNoEntryFilledHoldNothingALookupCouldActOn) {
    auto& glutMenu = static_cast<AppMenuGLUT&>(menu);
    glutMenu.~AppMenuGLUT();
    std::int32_t* words = reinterpret_cast<std::int32_t*>(&glutMenu);
    for (std::size_t i = 0; i < sizeof glutMenu / sizeof *words; ++i) {
        words[i] = 'Q';
    }
    new (&glutMenu) AppMenuGLUT;

    EXPECT_FALSE(glutMenu.IsCreated());
    glutMenu.Create();
    glutMenu.AddSubMenu("Only");
    glutMenu.AddEntry("Copy", 3, 'c', nullptr);
    int id = 0;
    EXPECT_FALSE(glutMenu.FindByKey('Q', id)) << "found a key in an unfilled slot, with id " << id;
    EXPECT_FALSE(glutMenu.HandleKey('q'));
    glutMenu.Invoke(-1);
    EXPECT_EQ(Commands(), Lines{}) << "an unfilled slot sent a command";

    EXPECT_TRUE(glutMenu.HandleKey('c'));
    EXPECT_EQ(Commands(), (Lines{"tool.OnCommand(3)", "main.OnCommand(3)"}));
}

}  // namespace
