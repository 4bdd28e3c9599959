// The start-up banner in a browser: the page's own modal dialog, captioned
// "Quillmere", with the banner's lines and an OK button that has the focus.
// A page may not block, so this returns at once and holds the web GLUT
// instead: the canvas stays hidden and no callback runs, so the scene starts
// only once the dialog is dismissed.
#include <emscripten.h>

#include <string>

#include "banner.h"
#include "banner_text.h"
#include "glut_session.h"
#include "glut_web.h"
#include "glut_web_js.h"

extern "C" EMSCRIPTEN_KEEPALIVE void glut_web_on_banner_closed() {
    glut_web::Release();
}

void ShowStartupBanner(const char* programNotice, const WindowDescription& /*program*/) {
    EnsureGlutInitialised();
    std::string text;
    for (const std::string& line : BannerLines(programNotice)) {
        text += line + "\n";
    }
    glut_web::Hold();
    glut_web_js_show_banner("Quillmere", text.c_str());
}
