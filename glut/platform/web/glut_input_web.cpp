// Input for the web GLUT: pointer events come from glut_web.js (html5.h has
// none, and its mouse positions are whole CSS pixels, coarser than the
// canvas's device pixels at a ratio above 1); keys and the wheel come through
// html5.h. Each is turned into the GLUT callback freeglut would make.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "glut_state_web.h"
#include "glut_web.h"

namespace glut_web {
namespace {

enum PointerKind { kPress = 0, kRelease = 1, kMove = 2 };

// Browsers report a mouse wheel's notch as 100 pixels (Chromium) or 3 lines
// (Firefox); touchpads send many small pixel steps, which add up to notches.
constexpr double kPixelsPerNotch = 100.0;
constexpr double kLinesPerNotch = 3.0;
double wheelTravel = 0.0;
// Which buttons are held, freeglut-style: motion with any held is motion,
// without any passive motion.
int heldButtons = 0;

int Modifiers(bool shift, bool ctrl, bool alt) {
    return (shift ? GLUT_ACTIVE_SHIFT : 0) | (ctrl ? GLUT_ACTIVE_CTRL : 0) |
           (alt ? GLUT_ACTIVE_ALT : 0);
}

// The code point of a key value that is one character, or -1.
int SingleCodePoint(const char* key) {
    const auto* s = reinterpret_cast<const unsigned char*>(key);
    const size_t length = std::strlen(key);
    if (length == 1 && s[0] < 0x80) {
        return s[0];
    }
    if (length == 2 && (s[0] & 0xE0) == 0xC0) {
        return ((s[0] & 0x1F) << 6) | (s[1] & 0x3F);
    }
    return -1;
}

struct NamedKey {
    const char* name;
    int code;
    bool special;
};

// The keys freeglut reports on X11, by their DOM key values. Lone
// modifiers are special keys; left and right are told by the location.
constexpr NamedKey kNamedKeys[] = {
    {"Enter", 13, false},
    {"Tab", 9, false},
    {"Backspace", 8, false},
    {"Escape", 27, false},
    {"Delete", 127, false},
    {"ArrowLeft", GLUT_KEY_LEFT, true},
    {"ArrowUp", GLUT_KEY_UP, true},
    {"ArrowRight", GLUT_KEY_RIGHT, true},
    {"ArrowDown", GLUT_KEY_DOWN, true},
    {"PageUp", GLUT_KEY_PAGE_UP, true},
    {"PageDown", GLUT_KEY_PAGE_DOWN, true},
    {"Home", GLUT_KEY_HOME, true},
    {"End", GLUT_KEY_END, true},
    {"Insert", GLUT_KEY_INSERT, true},
    {"NumLock", GLUT_KEY_NUM_LOCK, true},
    {"Clear", GLUT_KEY_BEGIN, true},
    {"Shift", GLUT_KEY_SHIFT_L, true},
    {"Control", GLUT_KEY_CTRL_L, true},
    {"Alt", GLUT_KEY_ALT_L, true},
    {"Meta", GLUT_KEY_SUPER_L, true},
};
constexpr unsigned long kRightLocation = 2;

const NamedKey* FindNamedKey(const char* key) {
    for (const NamedKey& named : kNamedKeys) {
        if (std::strcmp(named.name, key) == 0) {
            return &named;
        }
    }
    return nullptr;
}

// F1 to F12 as GLUT's special keys 1 to 12; 0 for anything else.
int FunctionKey(const char* key) {
    if (key[0] != 'F' || key[1] < '1' || key[1] > '9') {
        return 0;
    }
    const int n = std::atoi(key + 1);
    return n >= 1 && n <= 12 ? GLUT_KEY_F1 + n - 1 : 0;
}

void Keyboard(int code, int modifiers) {
    DispatchInput(modifiers, [code](Callbacks& c) {
        if (c.keyboard) {
            c.keyboard(static_cast<unsigned char>(code), GetState().pointerX, GetState().pointerY);
        }
    });
}

void Special(int code, int modifiers) {
    DispatchInput(modifiers, [code](Callbacks& c) {
        if (c.special) {
            c.special(code, GetState().pointerX, GetState().pointerY);
        }
    });
}

// Returns whether the key reached the program. Characters beyond Latin-1,
// dead keys and keys freeglut has no code for are left to the page, as
// freeglut on X11 drops them.
bool DeliverKey(const EmscriptenKeyboardEvent& e) {
    const int modifiers = Modifiers(e.shiftKey, e.ctrlKey, e.altKey);
    const int character = SingleCodePoint(e.key);
    if (character >= 0 && character < 256) {
        // Ctrl with a letter is the control character, as GLUT has it.
        const bool letter = (character | 0x20) >= 'a' && (character | 0x20) <= 'z';
        Keyboard(e.ctrlKey && letter ? (character & 0x1F) : character, modifiers);
        return true;
    }
    if (const int f = FunctionKey(e.key)) {
        Special(f, modifiers);
        return true;
    }
    const NamedKey* named = FindNamedKey(e.key);
    if (!named) {
        return false;
    }
    if (!named->special) {
        Keyboard(named->code, modifiers);
        return true;
    }
    const bool pair = named->code >= GLUT_KEY_SHIFT_L;
    Special(named->code + (pair && e.location == kRightLocation ? 1 : 0), modifiers);
    return true;
}

// The browser keeps its own shortcuts (Ctrl or Meta with a key, and the
// function keys); every other key the program takes is the program's alone,
// so Space does not scroll the page nor a letter start a search.
EM_BOOL OnKeyDown(int /*type*/, const EmscriptenKeyboardEvent* e, void* /*userData*/) {
    if (!TakesInput() || !DeliverKey(*e)) {
        return EM_FALSE;
    }
    Wake();
    return !(e->ctrlKey || e->metaKey || FunctionKey(e->key));
}

int WheelNotches(const EmscriptenWheelEvent& e) {
    switch (e.deltaMode) {
        case DOM_DELTA_PIXEL:
            wheelTravel += e.deltaY / kPixelsPerNotch;
            break;
        case DOM_DELTA_LINE:
            wheelTravel += e.deltaY / kLinesPerNotch;
            break;
        default:
            wheelTravel += e.deltaY;
            break;
    }
    // Half a notch counts, so that a wheel whose notch is a little short of
    // the usual travel still moves one step each time.
    const int notches = static_cast<int>(std::round(wheelTravel));
    wheelTravel -= notches;
    return notches;
}

// Down the page (a positive delta) is a notch down: -1.
EM_BOOL OnWheel(int /*type*/, const EmscriptenWheelEvent* e, void* /*userData*/) {
    if (!TakesInput()) {
        return EM_FALSE;
    }
    const int notches = WheelNotches(*e);
    const int modifiers = Modifiers(e->mouse.shiftKey, e->mouse.ctrlKey, e->mouse.altKey);
    for (int i = 0; i < std::abs(notches); ++i) {
        DispatchInput(modifiers, [notches](Callbacks& c) {
            if (c.wheel) {
                c.wheel(0, notches > 0 ? -1 : 1, GetState().pointerX, GetState().pointerY);
            }
        });
    }
    Wake();
    return EM_TRUE;
}

}  // namespace

void ListenForKeysAndWheel() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, OnKeyDown);
    emscripten_set_wheel_callback("#canvas", nullptr, EM_FALSE, OnWheel);
}

}  // namespace glut_web

using glut_web::Callbacks;

// A press of a button with a menu attached opens the menu instead of
// reaching the program, as in freeglut; its release is the menu's too.
extern "C" EMSCRIPTEN_KEEPALIVE void glut_web_on_pointer(int kind, int button, int x, int y,
                                                         int modifiers) {
    using namespace glut_web;
    if (!TakesInput()) {
        return;
    }
    State& state = GetState();
    state.pointerX = x;
    state.pointerY = y;
    const int menu = kind == kMove ? 0 : AttachedMenu(button);
    if (menu != 0) {
        if (kind == kPress) {
            OpenMenu(menu, x, y);
        }
        return;
    }
    if (kind == kMove) {
        DispatchInput(modifiers, [x, y](Callbacks& c) {
            auto* motion = heldButtons != 0 ? c.motion : c.passiveMotion;
            if (motion) {
                motion(x, y);
            }
        });
    } else {
        const int bit = 1 << button;
        heldButtons = kind == kPress ? (heldButtons | bit) : (heldButtons & ~bit);
        DispatchInput(modifiers, [=](Callbacks& c) {
            if (c.mouse) {
                c.mouse(button, kind == kPress ? GLUT_DOWN : GLUT_UP, x, y);
            }
        });
    }
    Wake();
}
