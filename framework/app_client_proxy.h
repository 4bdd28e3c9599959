#pragma once

#include "app.h"

// Passes the input events unchanged to GetClient(), which is asked afresh for
// each call, so an event that follows a change of client reaches the new one.
// OnUpdate, OnDraw and the services are left to the derived class.
class AppClientProxy : public App {
public:
    virtual App* GetClient() = 0;

    void OnCommand(int id) override { GetClient()->OnCommand(id); }
    void OnMouseDown(float x, float y) override { GetClient()->OnMouseDown(x, y); }
    void OnMouseUp(float x, float y) override { GetClient()->OnMouseUp(x, y); }
    void OnKey(int key) override { GetClient()->OnKey(key); }
    void OnMouseMove(float dx, float dy) override { GetClient()->OnMouseMove(dx, dy); }
    void OnWheel(float steps) override { GetClient()->OnWheel(steps); }
    int OnNotify(int a, int b) override { return GetClient()->OnNotify(a, b); }

protected:
    ~AppClientProxy() = default;
};
