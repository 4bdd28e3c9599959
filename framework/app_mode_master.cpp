#include "app_mode_master.h"

#include "app_mode_slave.h"

namespace {

AppModeMaster* currentMaster = nullptr;

}  // namespace

AppModeMaster::AppModeMaster() : modes{}, modeCount(0) {}

AppModeMaster::~AppModeMaster() {
    if (modeCount > 0) {
        modes[0]->OnPop();
    }
}

App* AppModeMaster::GetClient() {
    return modes[modeCount - 1];
}

void AppModeMaster::PushMode(AppModeSlave* mode) {
    if (modeCount >= kMaxModes) {
        return;
    }
    if (modeCount > 0) {
        modes[modeCount - 1]->SetActive(false);
    }
    modes[modeCount] = mode;
    ++modeCount;
    OnStackChanged();
    mode->OnPush();
    mode->SetActive(true);
}

void AppModeMaster::PopMode(AppModeSlave* mode) {
    if (modeCount <= 1) {
        return;
    }
    --modeCount;
    modes[modeCount - 1]->SetActive(true);
    OnStackChanged();
    mode->SetActive(false);
    mode->OnPop();
}

// The count is read afresh before every call: a mode pushed during the pass
// takes part in it, a pop ends it early.
void AppModeMaster::OnUpdate() {
    for (int i = 0; i < modeCount; ++i) {
        modes[i]->OnUpdate();
    }
}

void AppModeMaster::OnDraw() {
    for (int i = 0; i < modeCount; ++i) {
        modes[i]->OnDraw();
    }
}

void AppModeMaster::CollectChanges(PictureChanges& changes) {
    for (int i = 0; i < modeCount && !changes.All(); ++i) {
        modes[i]->CollectChanges(changes);
    }
}

void AppModeMaster::MarkShown() {
    for (int i = 0; i < modeCount; ++i) {
        modes[i]->MarkShown();
    }
}

void AppModeMaster::DrawArea(const WorldRect& area) {
    for (int i = 0; i < modeCount; ++i) {
        modes[i]->DrawArea(area);
    }
}

bool AppModeMaster::NeedsTicks() {
    for (int i = 0; i < modeCount; ++i) {
        if (modes[i]->NeedsTicks()) {
            return true;
        }
    }
    return false;
}

void AppModeMaster::SetCurrent(AppModeMaster* master) {
    currentMaster = master;
}

AppModeMaster* AppModeMaster::GetCurrent() {
    return currentMaster;
}
