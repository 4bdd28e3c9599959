#include "banner.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <string>
#include <vector>

#include "configure_notices_x11.h"
#include "display_x11.h"
#include "glut_session.h"
#include "idle_wait_x11.h"
#include "size_keeper.h"
#include "window_identity_x11.h"

namespace {

void* const kFont = GLUT_BITMAP_HELVETICA_12;
constexpr int kMargin = 20;
constexpr int kLineHeight = 18;
constexpr int kMinWidth = 260;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 16;
constexpr unsigned char kReturn = '\r';
constexpr unsigned char kSpace = ' ';
constexpr unsigned char kEscape = 27;

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

struct Banner {
    std::vector<std::string> lines;
    int width = 0;
    int height = 0;
    Rect button;
    bool buttonPressed = false;
    bool dismissed = false;
    bool windowGone = false;
    // The window's real size, which a window manager may have chosen.
    SizeKeeper::Size window;
    SizeKeeper sizeKeeper;
};

// GLUT callbacks carry no context; the one banner on screen lives here.
Banner banner;

std::string GlutNoticeLine() {
    const int version = glutGet(GLUT_VERSION);
    return "GLUT library: freeglut " + std::to_string(version / 10000) + "." +
           std::to_string(version / 100 % 100) + "." + std::to_string(version % 100);
}

std::vector<std::string> BannerLines(const char* programNotice) {
    return {"Quillmere - A Kestrune Prototype", programNotice ? programNotice : "", "",
            GlutNoticeLine()};
}

int TextWidth(const std::string& text) {
    return glutBitmapLength(kFont, reinterpret_cast<const unsigned char*>(text.c_str()));
}

void Layout(Banner& b) {
    int textWidth = 0;
    for (const std::string& line : b.lines) {
        textWidth = std::max(textWidth, TextWidth(line));
    }
    b.width = std::max(kMinWidth, textWidth + 2 * kMargin);
    const int textBottom = kMargin + static_cast<int>(b.lines.size()) * kLineHeight;
    b.button =
        Rect{(b.width - kButtonWidth) / 2, textBottom + kButtonGap, kButtonWidth, kButtonHeight};
    b.height = b.button.y + kButtonHeight + kMargin;
}

void DrawText(int x, int baseline, const std::string& text) {
    glRasterPos2i(x, baseline);
    for (const char c : text) {
        glutBitmapCharacter(kFont, static_cast<unsigned char>(c));
    }
}

void FillRect(const Rect& r) {
    glRecti(r.x, r.y, r.x + r.w, r.y + r.h);
}

void DrawButton(const Rect& r, bool pressed) {
    glColor3ub(0x70, 0x70, 0x70);
    FillRect(r);
    glColor3ub(pressed ? 0xC8 : 0xE0, pressed ? 0xC8 : 0xE0, pressed ? 0xC8 : 0xE0);
    FillRect(Rect{r.x + 1, r.y + 1, r.w - 2, r.h - 2});
    glColor3ub(0, 0, 0);
    const std::string label = "OK";
    DrawText(r.x + (r.w - TextWidth(label)) / 2, r.y + r.h / 2 + 4, label);
}

// Laid out from the top left corner of the window, whatever size it has.
void DrawBanner() {
    glViewport(0, 0, banner.window.width, banner.window.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, banner.window.width, banner.window.height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3ub(0, 0, 0);
    for (std::size_t i = 0; i < banner.lines.size(); ++i) {
        DrawText(kMargin, kMargin + static_cast<int>(i + 1) * kLineHeight - 5, banner.lines[i]);
    }
    DrawButton(banner.button, banner.buttonPressed);
    glutSwapBuffers();
}

void Keyboard(unsigned char key, int /*x*/, int /*y*/) {
    if (key == kReturn || key == kSpace || key == kEscape) {
        banner.dismissed = true;
    }
}

// Like a push button: it fires when the left button is released over it after
// being pressed over it.
void Mouse(int button, int state, int x, int y) {
    if (button != GLUT_LEFT_BUTTON) {
        return;
    }
    const bool over = banner.button.Contains(x, y);
    if (state == GLUT_DOWN) {
        banner.buttonPressed = over;
        glutPostRedisplay();
    } else if (state == GLUT_UP) {
        banner.dismissed = banner.buttonPressed && over;
        banner.buttonPressed = false;
        glutPostRedisplay();
    }
}

// freeglut calls this when the window goes, whether the window manager closed
// it or we destroyed it.
void Closed() {
    banner.dismissed = true;
    banner.windowGone = true;
}

// The banner cannot be resized meaningfully; keep it at its laid-out size
// where the window manager lets it.
void KeepSize() {
    if (banner.sizeKeeper.OnReports({banner.width, banner.height}, TakeConfigureNoticesX11())) {
        glutReshapeWindow(banner.width, banner.height);
    }
}

void Reshape(int w, int h) {
    banner.window = {w, h};
    KeepSize();
}

// Like the main window, it appears once at its own size, with the program's
// class and icon, so that a dock shows it as the program starting.
int CreateBannerWindow(const WindowDescription& program) {
    WindowDescription description = program;
    description.title = "Quillmere";
    description.width = banner.width;
    description.height = banner.height;
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
    glutInitWindowSize(banner.width, banner.height);
    glutInitWindowPosition((glutGet(GLUT_SCREEN_WIDTH) - banner.width) / 2,
                           (glutGet(GLUT_SCREEN_HEIGHT) - banner.height) / 3);
    PrepareWindowIdentityX11(description);
    const int window = glutCreateWindow(description.title.c_str());
    FinishWindowIdentityX11();
    WatchConfigureNoticesX11();
    banner.window = {banner.width, banner.height};
    glutDisplayFunc(DrawBanner);
    glutKeyboardFunc(Keyboard);
    glutMouseFunc(Mouse);
    glutReshapeFunc(Reshape);
    glutCloseFunc(Closed);
    return window;
}

}  // namespace

void ShowStartupBanner(const char* programNotice, const WindowDescription& program) {
    EnsureGlutInitialised();
    banner = Banner{};
    banner.lines = BannerLines(programNotice);
    Layout(banner);
    const int window = CreateBannerWindow(program);
    const FreeglutConnection connection;
    while (!banner.dismissed) {
        glutMainLoopEvent();
        if (!banner.windowGone) {
            KeepSize();
        }
        if (!banner.dismissed) {
            WaitForInputOrTimeout(-1.0);
        }
    }
    if (!banner.windowGone) {
        glutDestroyWindow(window);
        // freeglut destroys windows at the end of its next event pass.
        glutMainLoopEvent();
    }
    // Nothing else may talk to the X server for a while; the window must go
    // from the screen now, not with the next request.
    connection.Flush();
}
