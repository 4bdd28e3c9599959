#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app_icon.h"
#include "applet_mode_master.h"
#include "application_glut.h"
#include "banner.h"
#include "command_line.h"
#include "grid_painter.h"
#include "main_mode.h"
#include "region_painter.h"
#include "scene.h"

namespace {

constexpr const char* kNotice =
    "Drag the swatches onto the canvases; Alt drags a copy; any key clears.";

// The window as it first appears: already at the size the scene asks for,
// named and iconed as the desktop entry is, so that docks group it with it.
WindowDescription MainWindow(const CommandLine& options) {
    WindowDescription window;
    window.title = "Quillmere";
    window.width = scene::kWindowWidth;
    window.height = scene::kWindowHeight;
    window.instanceName = "quillmere";
    window.className = "Quillmere";
    window.icons = QuillmereIcons();
    window.scale = options.scale.value_or(0.0f);
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before GLUT is touched, so these need no display.
    const CommandLine options = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
        case CommandLine::Action::ShowHelp:
            std::fputs(Usage().c_str(), stdout);
            return 0;
        case CommandLine::Action::ShowVersion:
            std::puts(VersionLine().c_str());
            return 0;
        case CommandLine::Action::Fail:
            std::fprintf(stderr, "%s\n", options.error.c_str());
            return kCommandLineErrorStatus;
        case CommandLine::Action::Run:
            break;
    }

    const WindowDescription window = MainWindow(options);
    if (options.showBanner) {
        ShowStartupBanner(kNotice, window);
    }
    ApplicationGLUT* application = CreateApplication(window);
    // Every random layer colour and swatch layer of the scene follows from
    // here. The host seeds the generator with the time when it is made, so a
    // seed from the command line must come after it to decide the scene.
    std::srand(options.seed ? *options.seed : static_cast<unsigned>(std::clock()));
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
        // Frames that would repeat the picture on screen are skipped.
        application->SetPictureSource(&stack);
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
