#pragma once

// The popup menu on freeglut menus: a root menu on the right mouse button
// holding up to 12 submenus of up to 20 entries each. Choosing an entry, or
// typing its shortcut through HandleKey, raises OnCommand with the entry's id
// on the current application, which hands it on to its client.
//
// Implemented: every AppMenu operation; shortcut keys, disabled entries and
// on/off toggles bound to a caller's bool.
// Missing: Refresh does nothing (freeglut redraws its menus itself), and no
// operation sets an entry's target, so every command goes to the application.
//
// Only one menu is meant to exist: freeglut calls back with the chosen value
// alone, and the callback acts on the menu constructed last.
//
// Give every submenu an entry before the menu can be shown: freeglut sizes an
// empty submenu's window to nothing, the X server refuses it, and the process
// ends when the pointer passes over that submenu.

#include "app_menu.h"

class App;

// One entry slot. A slot that no entry fills is inert: no key, no target,
// disabled, an empty name and the id -1.
struct AppMenuEntry {
    int key = 0;
    int id = -1;
    bool* toggle = nullptr;
    App* target = nullptr;
    bool enabled = false;
    char name[64] = {};
};

class AppMenuGLUT : public AppMenu {
public:
    static constexpr int kMaxSubMenus = 12;
    static constexpr int kMaxEntries = 20;

    AppMenuGLUT();
    ~AppMenuGLUT() override;
    AppMenuGLUT(const AppMenuGLUT&) = delete;
    AppMenuGLUT& operator=(const AppMenuGLUT&) = delete;

    // Needs a current GLUT window: the root menu is attached to its right
    // button. A further Create starts a new, empty menu.
    void Create() override;
    void AddSubMenu(const char* name) override;
    // Lower-case letter keys are stored upper-case; key 0 means none. The
    // name is kept cut to 63 characters.
    void AddEntry(const char* name, int id, char key, bool* toggle) override;
    void AddSeparator() override;
    void Refresh() override {}
    bool IsCreated() override { return rootMenu != 0; }
    void SetEnabled(int id, bool enabled) override;
    void SetToggle(int id, bool on) override;
    bool HasCommand(int id) override;
    bool FindByKey(int key, int& id) override;
    void Invoke(int id) override;
    // Swaps the case of a letter before the lookup, so a typed lower-case
    // letter finds the entry stored with its upper-case key.
    bool HandleKey(int key) override;

    // Every lookup visits submenu 0's slots 0..19 first, then submenu 1's,
    // and stops at the first match.
    bool FindById(int id, int& subMenu, int& entry, bool** toggle = nullptr);

private:
    static void MenuCallback(int value);
    void ClearEntries();
    AppMenuEntry& Slot(int subMenu, int entry) { return entries[entry][subMenu]; }
    template <typename Match>
    bool FindSlot(Match match, int& subMenu, int& entry);
    void ChangeLabel(int subMenu, int entry, const char* label);

    App* defaultTarget = nullptr;
    int entryCount = 0;
    int subMenuCount = 0;
    int rootMenu = 0;
    int subMenus[kMaxSubMenus] = {};
    // Row e holds entry e of every submenu.
    AppMenuEntry entries[kMaxEntries][kMaxSubMenus];
};
