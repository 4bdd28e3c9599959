// The start-up banner on Windows: the system's modal message box, with no
// owner window, captioned "Quillmere", with one OK button. It returns when
// the user dismisses it.
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
    MessageBoxA(nullptr, text.c_str(), "Quillmere", MB_OK);
}
