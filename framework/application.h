#pragma once

#include "app.h"
#include "picture_state.h"

class AppOverlay;

// Platform-neutral base of the application object. It keeps the left-button
// bookkeeping, turns pointer changes into one OnMouseMove per update tick,
// draws frames on request, holds the update schedule and hosts an optional
// overlay. The window-system services are left to the platform host.
//
// A frame is skipped when it would repeat the picture on screen: when both
// the host (DescribeView) and the picture source describe what they draw,
// and neither description changed since the last frame drawn. Without a
// picture source, or with a host that does not describe its view, every
// frame is drawn.
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

    // Not owned; null (the default) draws every frame.
    void SetPictureSource(PictureSource* source);
    // The next Redraw draws even if the picture is the same.
    void InvalidatePicture() { shownPictureValid = false; }
    // How long until AdvanceSchedule will next answer true; 0 when it would now.
    double SecondsUntilUpdate() const;

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
    // Adds everything of the host's that decides where the picture lands on
    // the window (view, window size). Answers false when the host cannot
    // tell, as this base does.
    virtual bool DescribeView(PictureState& /*state*/) { return false; }

    // Owned; a derived class may install one.
    AppOverlay* overlay = nullptr;

private:
    // Whether the picture that would be drawn now is the one on screen;
    // remembers it as shown when not.
    bool PictureUnchanged();

    PictureSource* pictureSource = nullptr;
    PictureState shownPicture;
    PictureState nextPicture;
    bool shownPictureValid = false;
    double lastUpdateTime;
    double updatePeriod;
    double mouseDownTime;
    Vec2 mouseDownPos;
    Vec2 lastMousePos;
    bool mouseDown = false;
    App* client = nullptr;
};
