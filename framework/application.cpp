#include "application.h"

#include <cstdlib>
#include <utility>

#include "app_overlay.h"
#include "clock.h"

Application::Application() {
    mouseDownPos = Vec2{0.0f, 0.0f};
    lastMousePos = Vec2{0.0f, 0.0f};
    // A second in the past, so the first press can never complete a double click.
    mouseDownTime = GetTime() - 1.0;
    lastUpdateTime = GetTime();
    updatePeriod = 1.0 / 30.0;
    mouseDown = false;
    client = nullptr;
    overlay = nullptr;
    std::srand(static_cast<unsigned>(ElapsedMilliseconds()));
}

Application::~Application() {
    delete overlay;
}

double Application::GetTime() {
    return static_cast<double>(ElapsedMilliseconds()) * 0.001;
}

void Application::Run(App* newClient) {
    client = newClient;
}

void Application::SetUpdateRate(int rate) {
    lastUpdateTime = GetTime();
    updatePeriod = 1.0 / rate;
}

bool Application::AdvanceSchedule() {
    const double now = GetTime();
    if (!(now > lastUpdateTime + updatePeriod)) {
        return false;
    }
    // A schedule more than two periods late restarts from now instead of
    // catching up in a burst; otherwise it keeps its phase.
    if (now - lastUpdateTime > 2.0 * updatePeriod) {
        lastUpdateTime = now;
    } else {
        lastUpdateTime += updatePeriod;
    }
    return true;
}

double Application::SecondsUntilUpdate() const {
    const double remaining = lastUpdateTime + updatePeriod - GetTime();
    return remaining > 0.0 ? remaining : 0.0;
}

void Application::OnMouseDown(float x, float y) {
    const double t = GetTime();
    eventSinceTick = true;
    if (mouseDown) {
        OnMouseUp(x, y);
    }
    mouseDownTime = t;
    mouseDownPos = Vec2{x, y};
    mouseDown = true;
    if (overlay) {
        overlay->OnPress();
    } else {
        client->OnMouseDown(x, y);
    }
}

void Application::OnMouseUp(float x, float y) {
    mouseDown = false;
    eventSinceTick = true;
    if (!overlay) {
        client->OnMouseUp(x, y);
    }
}

void Application::OnUpdate() {
    eventSinceTick = false;
    const Vec2 p = GetMousePos();
    const float dx = p.x - lastMousePos.x;
    const float dy = p.y - lastMousePos.y;
    // A NaN component compares unequal to 0 and so counts as a change.
    if (dx != 0.0f || dy != 0.0f) {
        OnMouseMove(dx, dy);
    }
    lastMousePos = p;

    if (!overlay) {
        client->OnUpdate();
        return;
    }
    // The overlay draws over the client's picture, which has to be drawn
    // afresh once the overlay is gone.
    InvalidatePicture();
    if (overlay->IsFinished()) {
        delete overlay;
        overlay = nullptr;
        return;
    }
    overlay->Advance();
    BeginFrame();
    overlay->OnDraw();
    EndFrame();
}

void Application::SetPictureSource(PictureSource* source) {
    pictureSource = source;
    InvalidatePicture();
}

bool Application::NeedsTicks() {
    if (overlay || !pictureSource || !shownPictureValid || eventSinceTick ||
        pictureSource->NeedsTicks()) {
        return true;
    }
    const Vec2 p = GetMousePos();
    return p.x != lastMousePos.x || p.y != lastMousePos.y;
}

void Application::DrawWholeFrame() {
    BeginFrame();
    client->OnDraw();
    EndFrame();
}

void Application::Redraw() {
    if (!pictureSource) {
        DrawWholeFrame();
        return;
    }
    changes.Clear();
    if (shownPictureValid) {
        pictureSource->CollectChanges(changes);
    } else {
        changes.AddAll();
    }
    if (changes.Empty()) {
        return;
    }
    // Valid from here: a host that finds on the way that the frame did not
    // reach the screen invalidates it again.
    shownPictureValid = true;
    const auto drawArea = [this](const WorldRect& area) { pictureSource->DrawArea(area); };
    if (changes.All() || !DrawFrameParts(changes.Areas(), drawArea)) {
        DrawWholeFrame();
    }
    pictureSource->MarkShown();
}

void Application::Repaint() {
    InvalidatePicture();
    if (!overlay) {
        Redraw();
        return;
    }
    BeginFrame();
    overlay->OnDraw();
    EndFrame();
}

// An event may change the picture without saying so to the host: it is
// drawn by the tick that follows, which NeedsTicks keeps coming.
void Application::OnCommand(int id) {
    eventSinceTick = true;
    client->OnCommand(id);
}
void Application::OnKey(int key) {
    eventSinceTick = true;
    client->OnKey(key);
}
void Application::OnDraw() {
    client->OnDraw();
}
void Application::OnMouseMove(float dx, float dy) {
    client->OnMouseMove(dx, dy);
}
void Application::OnWheel(float steps) {
    eventSinceTick = true;
    client->OnWheel(steps);
}
int Application::OnNotify(int a, int b) {
    return client->OnNotify(a, b);
}
