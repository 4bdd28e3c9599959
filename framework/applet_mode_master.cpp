#include "applet_mode_master.h"

AppletModeMaster::AppletModeMaster(App* application, AppModeSlave* first) : Applet(application) {
    SetCurrent(this);
    PushMode(first);
}

void AppletModeMaster::OnUpdate() {
    AppModeMaster::OnUpdate();
    Redraw();
}
