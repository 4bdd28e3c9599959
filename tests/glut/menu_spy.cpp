#include "menu_spy.h"

#include <GL/freeglut.h>

#include <map>
#include <set>

extern "C" {
int __real_glutCreateMenu(void (*callback)(int));
void __real_glutDestroyMenu(int menu);
void __real_glutAddMenuEntry(const char* label, int value);
void __real_glutAddSubMenu(const char* label, int subMenu);
void __real_glutChangeToMenuEntry(int item, const char* label, int value);
}

namespace menu_spy {
namespace {

std::map<int, std::vector<Item>> menus;
std::set<int> destroyed;
int badItemChanges = 0;

}  // namespace

const std::vector<Item>& Items(int menu) {
    static const std::vector<Item> none;
    const auto found = menus.find(menu);
    return found == menus.end() ? none : found->second;
}

bool WasDestroyed(int menu) {
    return destroyed.contains(menu);
}

int BadItemChanges() {
    return badItemChanges;
}

}  // namespace menu_spy

using menu_spy::Item;
using menu_spy::menus;

extern "C" {

int __wrap_glutCreateMenu(void (*callback)(int)) {
    const int menu = __real_glutCreateMenu(callback);
    menus[menu].clear();
    menu_spy::destroyed.erase(menu);
    return menu;
}

void __wrap_glutDestroyMenu(int menu) {
    __real_glutDestroyMenu(menu);
    menus.erase(menu);
    menu_spy::destroyed.insert(menu);
}

void __wrap_glutAddMenuEntry(const char* label, int value) {
    __real_glutAddMenuEntry(label, value);
    menus[glutGetMenu()].push_back(Item{label, value});
}

void __wrap_glutAddSubMenu(const char* label, int subMenu) {
    __real_glutAddSubMenu(label, subMenu);
    menus[glutGetMenu()].push_back(Item{label, subMenu});
}

void __wrap_glutChangeToMenuEntry(int item, const char* label, int value) {
    __real_glutChangeToMenuEntry(item, label, value);
    std::vector<Item>& items = menus[glutGetMenu()];
    if (item < 1 || item > static_cast<int>(items.size())) {
        ++menu_spy::badItemChanges;
        return;
    }
    items[static_cast<std::size_t>(item - 1)] = Item{label, value};
}

}  // extern "C"
