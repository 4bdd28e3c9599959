#include "app_menu_glut.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app.h"
#include "application_glut.h"
#include "copy_bounded.h"

namespace {

AppMenuGLUT* CurrentMenu = nullptr;

// Room for 65 characters and the zero. A longer label is cut on purpose, so
// snprintf's count is looked at only for a failure, after which the label's
// contents are undefined and it is not shown.
constexpr int kLabelSize = 66;

int UpperCaseKey(int key) {
    return key >= 'a' && key <= 'z' ? key - 32 : key;
}

int SwapCase(int key) {
    if (key >= 'A' && key <= 'Z') {
        return key + 32;
    }
    return UpperCaseKey(key);
}

}  // namespace

AppMenuGLUT::AppMenuGLUT() {
    CurrentMenu = this;
    ClearEntries();
}

AppMenuGLUT::~AppMenuGLUT() {
    if (CurrentMenu == this) {
        CurrentMenu = nullptr;
    }
    subMenuCount = 0;
    ClearEntries();
    // Once glutMainLoop has returned, freeglut has torn itself down with all
    // its menus, and any further GLUT call would end the process.
    if (rootMenu != 0 && glutGet(GLUT_INIT_STATE)) {
        glutDestroyMenu(rootMenu);
    }
    rootMenu = 0;
}

// A slot keeps nothing from an earlier menu, so that a stale key, name or
// enabled flag can never be found again by a lookup.
void AppMenuGLUT::ClearEntries() {
    for (auto& row : entries) {
        for (AppMenuEntry& slot : row) {
            slot = AppMenuEntry{};
        }
    }
}

void AppMenuGLUT::Create() {
    subMenuCount = 0;
    ClearEntries();
    if (rootMenu != 0) {
        glutDestroyMenu(rootMenu);
        rootMenu = 0;
    }
    rootMenu = glutCreateMenu(MenuCallback);
    glutAttachMenu(GLUT_RIGHT_BUTTON);
}

void AppMenuGLUT::AddSubMenu(const char* name) {
    if (rootMenu == 0 || subMenuCount == kMaxSubMenus) {
        return;
    }
    subMenus[subMenuCount] = glutCreateMenu(MenuCallback);
    glutSetMenu(rootMenu);
    glutAddSubMenu(name, subMenus[subMenuCount]);
    ++subMenuCount;
    entryCount = 0;
}

void AppMenuGLUT::AddEntry(const char* name, int id, char key, bool* toggle) {
    // The key is taken as a signed character whatever the platform's char.
    const int storedKey = UpperCaseKey(static_cast<signed char>(key));
    if (rootMenu == 0 || subMenuCount == 0 || entryCount == kMaxEntries) {
        return;
    }
    glutSetMenu(subMenus[subMenuCount - 1]);
    glutAddMenuEntry(name, id);
    AppMenuEntry& slot = Slot(subMenuCount - 1, entryCount);
    CopyBounded(slot.name, name, sizeof slot.name);
    slot.id = id;
    slot.toggle = toggle;
    slot.target = defaultTarget;
    slot.enabled = true;
    slot.key = storedKey;
    ++entryCount;
    if (toggle) {
        SetToggle(id, *toggle);
    }
}

void AppMenuGLUT::AddSeparator() {
    AddEntry("---", -1, 0, nullptr);
}

void AppMenuGLUT::SetEnabled(int id, bool enabled) {
    int s = 0;
    int e = 0;
    if (rootMenu == 0 || !FindById(id, s, e)) {
        return;
    }
    AppMenuEntry& slot = Slot(s, e);
    slot.enabled = enabled;
    char label[kLabelSize];
    if (std::snprintf(label, sizeof label, enabled ? "%s" : "%s [disabled]", slot.name) < 0) {
        return;
    }
    ChangeLabel(s, e, label);
}

void AppMenuGLUT::SetToggle(int id, bool on) {
    int s = 0;
    int e = 0;
    if (rootMenu == 0 || !FindById(id, s, e)) {
        return;
    }
    AppMenuEntry& slot = Slot(s, e);
    if (slot.toggle) {
        *slot.toggle = on;
    }
    char label[kLabelSize];
    if (std::snprintf(label, sizeof label, "Turn %s %s", slot.name, on ? "Off" : "On") < 0) {
        return;
    }
    ChangeLabel(s, e, label);
}

void AppMenuGLUT::ChangeLabel(int subMenu, int entry, const char* label) {
    glutSetMenu(subMenus[subMenu]);
    // GLUT numbers a menu's items from 1.
    glutChangeToMenuEntry(entry + 1, label, Slot(subMenu, entry).id);
}

bool AppMenuGLUT::HasCommand(int id) {
    int s = 0;
    int e = 0;
    return FindById(id, s, e);
}

template <typename Match>
bool AppMenuGLUT::FindSlot(Match match, int& subMenu, int& entry) {
    for (int s = 0; s < subMenuCount; ++s) {
        for (int e = 0; e < kMaxEntries; ++e) {
            if (match(Slot(s, e))) {
                subMenu = s;
                entry = e;
                return true;
            }
        }
    }
    return false;
}

bool AppMenuGLUT::FindById(int id, int& subMenu, int& entry, bool** toggle) {
    if (!FindSlot([id](const AppMenuEntry& slot) { return slot.id == id; }, subMenu, entry)) {
        return false;
    }
    if (toggle) {
        *toggle = Slot(subMenu, entry).toggle;
    }
    return true;
}

// Key 0 marks an entry without a shortcut, so it never finds one: otherwise a
// stray 0 would invoke the first entry that has no key.
bool AppMenuGLUT::FindByKey(int key, int& id) {
    if (key == 0) {
        return false;
    }
    int s = 0;
    int e = 0;
    if (!FindSlot([key](const AppMenuEntry& slot) { return slot.key == key; }, s, e)) {
        return false;
    }
    id = Slot(s, e).id;
    return true;
}

bool AppMenuGLUT::HandleKey(int key) {
    int id = 0;
    if (!FindByKey(SwapCase(key), id)) {
        return false;
    }
    Invoke(id);
    return true;
}

void AppMenuGLUT::Invoke(int id) {
    MenuCallback(id);
}

void AppMenuGLUT::MenuCallback(int value) {
    AppMenuGLUT* menu = CurrentMenu;
    int s = 0;
    int e = 0;
    bool* toggle = nullptr;
    if (!menu || !menu->FindById(value, s, e, &toggle)) {
        return;
    }
    if (toggle) {
        menu->SetToggle(value, !*toggle);
    }
    const AppMenuEntry& slot = menu->Slot(s, e);
    if (!slot.enabled) {
        return;
    }
    App* receiver = slot.target ? slot.target : GetApplication();
    if (receiver) {
        receiver->OnCommand(value);
    }
}
