#include "app_mode_slave.h"

#include "app_mode_master.h"

App* AppModeSlave::GetServer() {
    return GetMaster();
}

AppModeMaster* AppModeSlave::GetMaster() {
    return AppModeMaster::GetCurrent();
}

void AppModeSlave::Push() {
    GetMaster()->PushMode(this);
}

void AppModeSlave::Pop() {
    GetMaster()->PopMode(this);
}

// The search starts above the bottom mode, so the bottom mode never passes an
// event on; if a mode stood on the stack twice its lowest occurrence decides.
AppModeSlave* AppModeSlave::ModeBeneath() {
    AppModeMaster* master = GetMaster();
    for (int i = 1; i < master->ModeCount(); ++i) {
        if (master->ModeAt(i) == this) {
            return master->ModeAt(i - 1);
        }
    }
    return nullptr;
}

void AppModeSlave::OnCommand(int id) {
    if (AppModeSlave* beneath = ModeBeneath()) {
        beneath->OnCommand(id);
    }
}

void AppModeSlave::OnMouseDown(float x, float y) {
    if (AppModeSlave* beneath = ModeBeneath()) {
        beneath->OnMouseDown(x, y);
    }
}

void AppModeSlave::OnKey(int key) {
    if (AppModeSlave* beneath = ModeBeneath()) {
        beneath->OnKey(key);
    }
}

void AppModeSlave::OnMouseMove(float dx, float dy) {
    if (AppModeSlave* beneath = ModeBeneath()) {
        beneath->OnMouseMove(dx, dy);
    }
}
