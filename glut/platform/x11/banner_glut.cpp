#include "banner.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "application.h"
#include "banner_text.h"
#include "configure_notices_x11.h"
#include "display_x11.h"
#include "glut_session.h"
#include "idle_wait_x11.h"
#include "platform.h"
#include "size_keeper.h"
#include "window_identity_x11.h"

namespace {

// The layout at scale 1, in pixels; at other factors each is scaled.
constexpr int kMargin = 20;
constexpr int kMinWidth = 260;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 28;
constexpr int kButtonGap = 16;
// Helvetica 12 at scale 1.
constexpr int kTextHeight = 12;
constexpr unsigned char kReturn = '\r';
constexpr unsigned char kSpace = ' ';
constexpr unsigned char kEscape = 27;

// GLUT's bitmap fonts come in three sizes that read well: Helvetica at 12
// and 18 pixels and Times Roman at 24. The banner takes the one nearest the
// height of its scale-1 text times the factor, the larger where two are as
// near, so that its text keeps the size it has on a screen of ordinary
// density: at 2 that is Times Roman 24, the only font of that height, and
// sharper to read than Helvetica 18 would be at three quarters of it.
struct Font {
    void* glut;
    int height;
};

Font FontFor(float scale) {
    const Font fonts[] = {{GLUT_BITMAP_HELVETICA_12, 12},
                          {GLUT_BITMAP_HELVETICA_18, 18},
                          {GLUT_BITMAP_TIMES_ROMAN_24, 24}};
    const float wanted = kTextHeight * scale;
    Font best = fonts[0];
    for (const Font& font : fonts) {
        if (std::abs(font.height - wanted) <= std::abs(best.height - wanted)) {
            best = font;
        }
    }
    return best;
}

struct Banner {
    std::vector<std::string> lines;
    float scale = 1.0f;
    Font font{GLUT_BITMAP_HELVETICA_12, kTextHeight};
    int width = 0;
    int height = 0;
    PixelRect button;
    bool buttonPressed = false;
    bool dismissed = false;
    bool windowGone = false;
    // The window's real size, which a window manager may have chosen.
    SizeKeeper::Size window;
    SizeKeeper sizeKeeper;
};

// GLUT callbacks carry no context; the one banner on screen lives here.
Banner banner;

// A length of the scale-1 layout at the banner's factor.
int Scaled(int pixels) {
    return static_cast<int>(std::lround(pixels * banner.scale));
}

// Lines one and a half times the text's height apart.
int LineHeight() {
    return banner.font.height * 3 / 2;
}

int TextWidth(const std::string& text) {
    return glutBitmapLength(banner.font.glut, reinterpret_cast<const unsigned char*>(text.c_str()));
}

void Layout(Banner& b) {
    int textWidth = 0;
    for (const std::string& line : b.lines) {
        textWidth = std::max(textWidth, TextWidth(line));
    }
    b.width = std::max(Scaled(kMinWidth), textWidth + 2 * Scaled(kMargin));
    const int textBottom = Scaled(kMargin) + static_cast<int>(b.lines.size()) * LineHeight();
    const int buttonWidth = Scaled(kButtonWidth);
    const int buttonLeft = (b.width - buttonWidth) / 2;
    const int buttonTop = textBottom + Scaled(kButtonGap);
    b.button = PixelRect{buttonLeft, buttonTop, buttonLeft + buttonWidth,
                         buttonTop + Scaled(kButtonHeight)};
    b.height = b.button.bottom + Scaled(kMargin);
}

void DrawText(int x, int baseline, const std::string& text) {
    glRasterPos2i(x, baseline);
    for (const char c : text) {
        glutBitmapCharacter(banner.font.glut, static_cast<unsigned char>(c));
    }
}

void FillRect(const PixelRect& r) {
    glRecti(r.left, r.top, r.right, r.bottom);
}

void DrawButton(const PixelRect& r, bool pressed) {
    const int border = Scaled(1);
    glColor3ub(0x70, 0x70, 0x70);
    FillRect(r);
    glColor3ub(pressed ? 0xC8 : 0xE0, pressed ? 0xC8 : 0xE0, pressed ? 0xC8 : 0xE0);
    FillRect(PixelRect{r.left + border, r.top + border, r.right - border, r.bottom - border});
    glColor3ub(0, 0, 0);
    const std::string label = "OK";
    // Capitals stand about two thirds of the font's height above the baseline.
    DrawText(r.left + (r.right - r.left - TextWidth(label)) / 2,
             r.top + (r.bottom - r.top + banner.font.height * 2 / 3) / 2, label);
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
        DrawText(Scaled(kMargin),
                 Scaled(kMargin) + static_cast<int>(i + 1) * LineHeight() - LineHeight() * 5 / 18,
                 banner.lines[i]);
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
    if (banner.sizeKeeper.OnReports({banner.width, banner.height}, TakeConfigureNoticesX11(),
                                    Application::GetTime())) {
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
    banner.scale = platform::ChooseScale(program.scale).scale;
    banner.font = FontFor(banner.scale);
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
