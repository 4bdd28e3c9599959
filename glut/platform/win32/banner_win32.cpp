// The start-up banner on Windows: the system's modal message box, with no
// owner window, captioned "Quillmere", with one OK button, drawn with common
// controls 6 (the manifest asks for them). It returns when the user
// dismisses it.
#include <windows.h>

#include <string>

#include "banner.h"
#include "banner_text.h"
#include "glut_session.h"

void ShowStartupBanner(const char* programNotice, const WindowDescription& /*program*/) {
    // GLUT is initialised first, as on every platform, so that the notice
    // names the library the program runs on.
    EnsureGlutInitialised();
    std::string text;
    for (const std::string& line : BannerLines(programNotice)) {
        text += line + "\n";
    }
    // Without MB_SETFOREGROUND an ownerless box may open behind the window
    // in front (such as the console window that Explorer opens for the
    // program), and the program would seem not to have started.
    MessageBoxA(nullptr, text.c_str(), "Quillmere", MB_OK | MB_SETFOREGROUND);
}
