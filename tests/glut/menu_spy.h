#pragma once

#include <ostream>
#include <string>
#include <vector>

// What freeglut has been handed for each of its menus, item by item. The menu
// tests are linked so that every GLUT menu call of the code under test passes
// through here on its way to the real freeglut, which freeglut offers no way
// to read back.
namespace menu_spy {

struct Item {
    std::string label;
    // The command id of an entry, or the menu id of a submenu.
    int value = 0;
    bool operator==(const Item&) const = default;
};

inline void PrintTo(const Item& item, std::ostream* out) {
    *out << '"' << item.label << "\" " << item.value;
}

// The items of a menu in GLUT's order (item 1 first); empty for a menu that
// was never created or has been destroyed.
const std::vector<Item>& Items(int menu);
bool WasDestroyed(int menu);
// Calls of glutChangeToMenuEntry that named an item the menu does not have.
int BadItemChanges();

}  // namespace menu_spy
