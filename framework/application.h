#pragma once

#include <functional>
#include <vector>

#include "app.h"
#include "picture_changes.h"

class AppOverlay;

// Platform-neutral base of the application object. It keeps the left-button
// bookkeeping, turns pointer changes into one OnMouseMove per update tick,
// draws frames on request, holds the update schedule and hosts an optional
// overlay. The window-system services are left to the platform host.
//
// With a picture source, a frame draws only what changed since the picture on
// screen: nothing when nothing changed, the changed areas alone when the host
// can draw and present parts of a frame, and the whole picture when the
// picture on screen is in doubt (InvalidatePicture: the view changed, the
// window was exposed) or the source cannot tell. Without a picture source
// every frame is drawn whole.
class Application : public App {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Seconds of real time since process start, in whole milliseconds.
    static double GetTime();

    virtual void Run(App* client);
    virtual void SetTitle(const char* title) = 0;
    virtual void SetNotice(const char* text) = 0;
    virtual void SetUpdateRate(int rate);
    virtual void SetPan(float x, float y) = 0;
    virtual Vec2 GetPan() = 0;
    virtual void SetZoom(float zoom) = 0;
    virtual float GetZoom() = 0;
    // Draws the picture again even when nothing changed: for a window whose
    // pixels the window system has lost (exposed, mapped again).
    virtual void Repaint();
    virtual void BeginFrame() = 0;
    virtual void EndFrame() = 0;
    virtual bool Init() { return true; }

    // The pacing rule, for the host's display and idle callbacks: answers
    // whether an update is due now and, if so, advances the schedule. The
    // caller then raises OnUpdate.
    bool AdvanceSchedule();

    // Not owned; null (the default) draws every frame whole.
    void SetPictureSource(PictureSource* source);
    // The next Redraw draws the whole picture, even if nothing changed.
    void InvalidatePicture() { shownPictureValid = false; }
    // How long until AdvanceSchedule will next answer true; 0 when it would now.
    double SecondsUntilUpdate() const;
    // Whether update ticks are needed to keep the program as it would be if
    // ticks came every period: while an overlay shows, while the picture
    // source says its picture moves on by itself, while the picture on
    // screen is in doubt, until a tick has seen where the pointer is, and
    // until a tick has followed the last event, whose change to the picture
    // only a tick's frame shows. When none holds the host may sleep until
    // the next event; the event then restarts the schedule, as after any
    // late tick.
    bool NeedsTicks();

    double LastUpdateTime() const { return lastUpdateTime; }
    double UpdatePeriod() const { return updatePeriod; }

    void OnCommand(int id) override;
    void OnMouseDown(float x, float y) override;
    void OnMouseUp(float x, float y) override;
    void OnKey(int key) override;
    void OnUpdate() override;
    void OnDraw() override;
    void OnMouseMove(float dx, float dy) override;
    void OnWheel(float steps) override;
    int OnNotify(int a, int b) override;

    bool IsMouseDown() override { return mouseDown; }
    Vec2 GetMouseDownPos() override { return mouseDownPos; }
    double GetMouseDownTime() override { return mouseDownTime; }
    void Redraw() override;

protected:
    App* GetClient() const { return client; }
    // Draws a frame of the areas alone: for each area the host clears its
    // part of the window, has drawArea draw the picture there (in world
    // units, the host's clip may grow the area), and presents the parts. A
    // host that cannot keep the rest of the window as it is answers false,
    // as this base does, and the whole frame is drawn instead.
    virtual bool DrawFrameParts(const std::vector<WorldRect>& /*areas*/,
                                const std::function<void(const WorldRect&)>& /*drawArea*/) {
        return false;
    }

    // The view changed under a pointer that did not move: where the pointer
    // now is in the world is taken as where it was, so the next tick reports
    // no move for it and a drag goes on from there.
    void TakePointerPositionAsIs() { lastMousePos = GetMousePos(); }

    // Owned; a derived class may install one.
    AppOverlay* overlay = nullptr;

private:
    void DrawWholeFrame();

    PictureSource* pictureSource = nullptr;
    PictureChanges changes;
    bool shownPictureValid = false;
    // An event came since the last update tick.
    bool eventSinceTick = false;
    double lastUpdateTime;
    double updatePeriod;
    double mouseDownTime;
    Vec2 mouseDownPos;
    Vec2 lastMousePos;
    bool mouseDown = false;
    App* client = nullptr;
};
