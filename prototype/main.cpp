#include <cstdlib>
#include <ctime>

#include "applet_mode_master.h"
#include "application_glut.h"
#include "banner.h"
#include "grid_painter.h"
#include "main_mode.h"
#include "region_painter.h"

namespace {

constexpr const char* kNotice =
    "Drag the swatches onto the canvases; Alt drags a copy; any key clears.";

}  // namespace

int main() {
    ShowStartupBanner(kNotice);
    ApplicationGLUT* application = CreateApplication();
    // Every random layer colour and swatch layer of the scene follows from here.
    std::srand(static_cast<unsigned>(std::clock()));
    if (!application) {
        return 0;
    }
    application->SetNotice(kNotice);
    tvRegionPainter painter;
    SetGridPainter(&painter);
    tv1MainMode mainMode;
    {
        // Building the stack pushes the main mode, which builds the scene.
        AppletModeMaster stack(application, &mainMode);
        application->Run(static_cast<Applet*>(&stack));
        // Run returns once the window is closed. Closed during a drag, the
        // drag mode is still on the stack; the release ends it, and it frees
        // itself as on any release.
        if (application->IsMouseDown()) {
            const Vec2 p = application->GetMousePos();
            application->OnMouseUp(p.x, p.y);
        }
        delete application;
    }
    return 0;
}
