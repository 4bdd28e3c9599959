// Real X input, sent through XTest, reaching the host's client as App events.
#include "host_fixture.h"

#include <X11/keysym.h>

#include <GL/freeglut.h>

using Events = std::vector<std::string>;

namespace {

class HostInputTest : public HostTest {
protected:
    // A press and release at one window pixel, the clock set to ms first.
    void ClickAt(int px, int py, std::int64_t ms) {
        clock.SetMilliseconds(ms);
        MoveTo(px, py);
        Press(1);
        Release(1);
    }
    void TapKey(unsigned long keysym, const std::vector<unsigned long>& modifiers = {}) {
        x.Tap(keysym, modifiers);
        Pump();
    }
};

TEST_F(HostInputTest, LeftPressAndReleaseReachTheClientAtWorldPositions) {
    MoveTo(200, 150);
    Press(1);
    EXPECT_TRUE(host.IsMouseDown());
    MoveTo(230, 170);
    Release(1);
    EXPECT_FALSE(host.IsMouseDown());
    EXPECT_EQ(InputEvents(), (Events{"client.OnMouseDown(200,150)", "client.OnMouseUp(230,170)"}));
}

TEST_F(HostInputTest, PressPositionsGoThroughTheViewTransform) {
    host.SetZoom(2.0f);
    MoveTo(612, 400);
    Press(1);
    Release(1);
    EXPECT_EQ(InputEvents(), (Events{"client.OnMouseDown(562,400)", "client.OnMouseUp(562,400)"}));
}

TEST_F(HostInputTest, MiddleAndRightButtonsRaiseNothingButRecordModifiers) {
    MoveTo(300, 200);
    x.Key(XK_Control_L, true);
    Press(2);
    Release(2);
    x.Key(XK_Control_L, false);
    EXPECT_TRUE(host.IsCtrlDown()) << "the middle press did not record the modifiers";
    Press(3);
    Release(3);
    EXPECT_FALSE(host.IsCtrlDown()) << "the right press did not record the modifiers";
    EXPECT_EQ(InputEvents(), Events{});
    EXPECT_FALSE(host.IsMouseDown());
}

TEST_F(HostInputTest, DoubleClickNeedsTheSamePixelWithinHalfASecondAndNeverThree) {
    ClickAt(400, 300, clock.Milliseconds());
    EXPECT_FALSE(host.IsDoubleClick()) << "first press";
    const std::int64_t t0 = clock.Milliseconds();
    ClickAt(400, 300, t0 + 300);
    EXPECT_TRUE(host.IsDoubleClick()) << "second press, 0.3 s later";
    ClickAt(400, 300, t0 + 600);
    EXPECT_FALSE(host.IsDoubleClick()) << "third press, 0.3 s after the double click";
    ClickAt(400, 300, t0 + 900);
    EXPECT_TRUE(host.IsDoubleClick()) << "fourth press, 0.3 s after the third";

    ClickAt(100, 100, t0 + 5'000);
    ClickAt(101, 100, t0 + 5'300);
    EXPECT_FALSE(host.IsDoubleClick()) << "second press one pixel to the right";

    ClickAt(100, 200, t0 + 10'000);
    ClickAt(100, 200, t0 + 10'500);
    EXPECT_FALSE(host.IsDoubleClick()) << "second press 0.5 s later";

    ClickAt(100, 300, t0 + 15'000);
    ClickAt(100, 300, t0 + 15'499);
    EXPECT_TRUE(host.IsDoubleClick()) << "second press 0.499 s later";
}

TEST_F(HostInputTest, ClickAndDraggingFollowThePressPixel) {
    MoveTo(300, 300);
    Press(1);
    EXPECT_FALSE(host.IsDragging()) << "still on the press pixel";
    MoveTo(301, 300);
    EXPECT_TRUE(host.IsDragging()) << "one pixel off the press pixel with the button held";
    Release(1);
    EXPECT_FALSE(host.IsDragging()) << "after the release";
    EXPECT_FALSE(host.IsClick()) << "released one pixel away from the press";

    Press(1);
    Release(1);
    EXPECT_TRUE(host.IsClick()) << "released where it was pressed";
    MoveTo(320, 320);
    EXPECT_FALSE(host.IsDragging()) << "pointer moved with no button held";
}

TEST_F(HostInputTest, AltHeldAtAPressIsSeenInsideOnMouseDown) {
    std::vector<bool> altAtPress;
    client.onMouseDown = [&] { altAtPress.push_back(host.IsAltDown()); };
    MoveTo(250, 250);
    x.Key(XK_Alt_L, true);
    Press(1);
    Release(1);
    x.Key(XK_Alt_L, false);
    Press(1);
    Release(1);
    EXPECT_EQ(altAtPress, (std::vector<bool>{true, false}));
}

struct KeyCase {
    const char* name;
    unsigned long keysym;
    std::vector<unsigned long> modifiers;
    int expected;
};

TEST_F(HostInputTest, KeysAreTranslated) {
    const std::vector<KeyCase> cases = {
        {"a", XK_a, {}, 97},
        {"Shift+b", XK_b, {XK_Shift_L}, 66},
        {"Ctrl+A", XK_a, {XK_Control_L}, 97},
        {"Ctrl+Shift+A", XK_a, {XK_Control_L, XK_Shift_L}, 65},
        {"Ctrl+Shift+Z", XK_z, {XK_Control_L, XK_Shift_L}, 90},
        {"Delete", XK_Delete, {}, 8},
        {"BackSpace", XK_BackSpace, {}, 8},
        {"Left", XK_Left, {}, 1000},
        {"Right", XK_Right, {}, 1001},
        {"Up", XK_Up, {}, 1002},
        {"Down", XK_Down, {}, 1003},
        {"F1", XK_F1, {}, 1},
        {"F12", XK_F12, {}, 12},
        {"Page Up", XK_Page_Up, {}, GLUT_KEY_PAGE_UP},
        {"Home", XK_Home, {}, GLUT_KEY_HOME},
        {"Escape", XK_Escape, {}, 27},
    };
    for (const KeyCase& c : cases) {
        log.Clear();
        TapKey(c.keysym, c.modifiers);
        EXPECT_EQ(InputEvents(), Events{"client.OnKey(" + std::to_string(c.expected) + ")"})
            << "key " << c.name;
    }
}

// Ctrl with Shift on a character above 159 must not be upper-cased as if it
// were a letter: only 97..122 change.
TEST_F(HostInputTest, CtrlShiftOnACharacterAbove159PassesItsCodeUnchanged) {
    const KeyCode spare = x.BindSpareKeyCode(XK_eacute);
    ASSERT_NE(spare, 0) << "no spare key code to bind";
    for (const unsigned long m : {XK_Control_L, XK_Shift_L}) {
        x.Key(m, true);
    }
    x.KeyCodeEvent(spare, true);
    x.KeyCodeEvent(spare, false);
    for (const unsigned long m : {XK_Shift_L, XK_Control_L}) {
        x.Key(m, false);
    }
    Pump();
    x.UnbindKeyCode(spare);
    EXPECT_EQ(InputEvents(), Events{"client.OnKey(" + std::to_string(0xE9 + 96) + ")"});
}

TEST_F(HostInputTest, ModifierKeysPressedAloneRaiseNothingAndChangeNothing) {
    TapKey(XK_b);
    ASSERT_EQ(InputEvents(), Events{"client.OnKey(98)"});
    log.Clear();

    x.Key(XK_Shift_L, true);
    for (const unsigned long key : {XK_Control_L, XK_Control_R, XK_Alt_L}) {
        TapKey(key);
    }
    x.Key(XK_Shift_L, false);
    x.Key(XK_Control_L, true);
    for (const unsigned long key : {XK_Shift_L, XK_Shift_R, XK_Alt_L, XK_Super_L}) {
        if (XKeysymToKeycode(x.GetDisplay(), key) != 0) {
            TapKey(key);
        }
    }
    x.Key(XK_Control_L, false);
    Pump();

    EXPECT_EQ(InputEvents(), Events{});
    EXPECT_FALSE(host.IsShiftDown()) << "a lone modifier key changed the recorded modifiers";
    EXPECT_FALSE(host.IsCtrlDown()) << "a lone modifier key changed the recorded modifiers";
}

TEST_F(HostInputTest, ModifiersStayAsAtTheLastKeyThroughPointerMotion) {
    TapKey(XK_c, {XK_Shift_L});
    MoveTo(600, 500);
    MoveTo(610, 505);
    EXPECT_TRUE(host.IsShiftDown());
    TapKey(XK_c);
    EXPECT_FALSE(host.IsShiftDown());
}

}  // namespace
