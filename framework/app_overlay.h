#pragma once

#include "app.h"

// An object that, while an Application hosts it, takes over update ticks,
// drawing and presses from the client. The application owns it and deletes
// it through this class once IsFinished answers true.
class AppOverlay : public App {
public:
    virtual void Advance() = 0;
    virtual void OnPress() = 0;
    virtual bool IsFinished() = 0;
    virtual ~AppOverlay() = default;
};
