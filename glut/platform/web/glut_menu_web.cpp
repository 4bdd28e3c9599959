// Popup menus for the web GLUT. The menus are kept here; glut_web.js shows one
// as page elements when the button it is attached to is pressed, and hands
// back the value of the entry chosen. As in freeglut, the menu callback runs
// with its menu current.
#include <emscripten.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "glut_state_web.h"
#include "glut_web.h"
#include "glut_web_js.h"

namespace glut_web {
namespace {

struct Entry {
    std::string label;
    int value = 0;
    // A submenu's number, or 0 for an entry.
    int subMenu = 0;
};

struct Menu {
    void (*callback)(int) = nullptr;
    std::vector<Entry> entries;
};

std::map<int, Menu> menus;
int nextMenu = 1;
int currentMenu = 0;
std::map<int, int> attached;

Menu* Current() {
    const auto found = menus.find(currentMenu);
    return found == menus.end() ? nullptr : &found->second;
}

void AppendJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    out += '"';
}

// {"menu":N,"entries":[{"label":...,"value":V} or {"label":...,"sub":{...}}]}.
// A submenu that contains itself, directly or not, is shown once.
void AppendMenuJson(std::string& out, int id, std::vector<int>& open) {
    out += "{\"menu\":" + std::to_string(id) + ",\"entries\":[";
    open.push_back(id);
    const Menu& menu = menus[id];
    for (size_t i = 0; i < menu.entries.size(); ++i) {
        const Entry& entry = menu.entries[i];
        out += i ? ",{\"label\":" : "{\"label\":";
        AppendJsonString(out, entry.label);
        const bool nested = entry.subMenu != 0 && menus.count(entry.subMenu) &&
                            std::find(open.begin(), open.end(), entry.subMenu) == open.end();
        if (nested) {
            out += ",\"sub\":";
            AppendMenuJson(out, entry.subMenu, open);
        } else {
            out += ",\"value\":" + std::to_string(entry.value);
        }
        out += '}';
    }
    open.pop_back();
    out += "]}";
}

}  // namespace

int AttachedMenu(int button) {
    const auto found = attached.find(button);
    return found == attached.end() || !menus.count(found->second) ? 0 : found->second;
}

void OpenMenu(int menu, int x, int y) {
    std::string json;
    std::vector<int> open;
    AppendMenuJson(json, menu, open);
    glut_web_js_open_menu(json.c_str(), x, y);
}

}  // namespace glut_web

using namespace glut_web;

extern "C" {

EMSCRIPTEN_KEEPALIVE void glut_web_on_menu_chosen(int menu, int value) {
    const auto found = menus.find(menu);
    if (found == menus.end() || !found->second.callback) {
        return;
    }
    const int before = currentMenu;
    currentMenu = menu;
    found->second.callback(value);
    if (menus.count(before)) {
        currentMenu = before;
    }
    Wake();
}

int glutCreateMenu(void (*callback)(int)) {
    currentMenu = nextMenu++;
    menus[currentMenu].callback = callback;
    return currentMenu;
}

void glutDestroyMenu(int menu) {
    menus.erase(menu);
    if (currentMenu == menu) {
        currentMenu = 0;
    }
}

int glutGetMenu(void) {
    return currentMenu;
}

void glutSetMenu(int menu) {
    if (menus.count(menu)) {
        currentMenu = menu;
    }
}

void glutAddMenuEntry(const char* label, int value) {
    if (Menu* menu = Current()) {
        menu->entries.push_back({label, value, 0});
    }
}

void glutAddSubMenu(const char* label, int subMenu) {
    if (Menu* menu = Current()) {
        menu->entries.push_back({label, 0, subMenu});
    }
}

// Items are numbered from 1, as in freeglut; a number out of range changes
// nothing.
void glutChangeToMenuEntry(int item, const char* label, int value) {
    Menu* menu = Current();
    if (menu && item >= 1 && item <= static_cast<int>(menu->entries.size())) {
        menu->entries[item - 1] = {label, value, 0};
    }
}

void glutAttachMenu(int button) {
    if (currentMenu != 0) {
        attached[button] = currentMenu;
    }
}

}  // extern "C"
