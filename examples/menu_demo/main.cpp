// A coloured square with a popup menu, on the Quillmere framework: the
// freeglut host, a mode stack, and two modes of its own.
#include <quillmere/applet_mode_master.h>
#include <quillmere/application_glut.h>

#include "square_mode.h"

int main() {
    WindowDescription window;
    window.title = "Menu demo";
    window.width = 400;
    window.height = 300;
    window.instanceName = "menu-demo";
    window.className = "MenuDemo";
    // Opens the window, or ends the process saying why when there is no
    // display to open it on.
    ApplicationGLUT* application = CreateApplication(window);
    if (!application) {
        return 1;
    }
    SquareMode square;
    {
        // Pushes the square mode, which builds the menu.
        AppletModeMaster stack(application, &square);
        // The stack's modes say what changed, so that frames which would
        // repeat the picture are skipped and the host sleeps meanwhile.
        application->SetPictureSource(&stack);
        // Returns once the window is closed.
        application->Run(static_cast<Applet*>(&stack));
    }
    // The host goes before the square mode, whose toggle its menu points at.
    delete application;
    return 0;
}
