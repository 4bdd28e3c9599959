#include "square_mode.h"

#include <GL/gl.h>

#include <algorithm>

#include <quillmere/app_menu.h>

void SquareMode::OnPush() {
    // The host's menu, attached to the right button of its window.
    AppMenu* menu = GetMenu();
    menu->Create();
    menu->AddSubMenu("Colour");
    menu->AddEntry("Red", kRed, 'r', nullptr);
    menu->AddEntry("Green", kGreen, 'g', nullptr);
    menu->AddEntry("Blue", kBlue, 'b', nullptr);
    menu->AddSubMenu("Square");
    menu->AddEntry("Outline", kOutline, 'o', &outline);
    menu->AddEntry("Reset size", kResetSize, 0, nullptr);
    // There is nothing to reset until the wheel has changed the size.
    menu->SetEnabled(kResetSize, false);
}

// Both the menu and the shortcut keys end here.
void SquareMode::OnCommand(int id) {
    switch (id) {
        case kRed:
            colour = {1.0f, 0.0f, 0.0f};
            break;
        case kGreen:
            colour = {0.0f, 0.8f, 0.0f};
            break;
        case kBlue:
            colour = {0.0f, 0.0f, 1.0f};
            break;
        case kOutline:
            // The menu has flipped `outline` before raising the command.
            break;
        case kResetSize:
            SetSize(kDefaultSize);
            break;
        default:
            return;
    }
    changed = true;
}

// A typed letter raises the command of the entry it is the shortcut of.
void SquareMode::OnKey(int key) {
    GetMenu()->HandleKey(key);
}

void SquareMode::OnMouseDown(float x, float y) {
    if (Contains(x, y)) {
        move.Push();
    }
}

// One notch up grows the square by 20 units, down shrinks it.
void SquareMode::OnWheel(float steps) {
    SetSize(size + 20.0f * steps);
}

void SquareMode::SetSize(float newSize) {
    size = std::clamp(newSize, 20.0f, 280.0f);
    GetMenu()->SetEnabled(kResetSize, size != kDefaultSize);
    changed = true;
}

void SquareMode::MoveBy(float dx, float dy) {
    centreX += dx;
    centreY += dy;
    changed = true;
}

bool SquareMode::Contains(float x, float y) const {
    const float half = size / 2.0f;
    return x >= centreX - half && x <= centreX + half && y >= centreY - half && y <= centreY + half;
}

// In world units, which the host's view maps to the window (y downwards).
void SquareMode::OnDraw() {
    const float half = size / 2.0f;
    const float left = centreX - half;
    const float right = centreX + half;
    const float top = centreY - half;
    const float bottom = centreY + half;
    glColor3f(colour.red, colour.green, colour.blue);
    glBegin(GL_QUADS);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
    if (outline) {
        glColor3f(0.0f, 0.0f, 0.0f);
        glLineWidth(4.0f);
        glBegin(GL_LINE_LOOP);
        glVertex2f(left, top);
        glVertex2f(right, top);
        glVertex2f(right, bottom);
        glVertex2f(left, bottom);
        glEnd();
    }
}

void SquareMode::CollectChanges(PictureChanges& changes) {
    if (changed) {
        changes.AddAll();
    }
}
