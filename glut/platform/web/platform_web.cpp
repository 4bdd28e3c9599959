// The platform beneath the web GLUT: the page's devicePixelRatio is the
// desktop's scale, the canvas is the window, and the browser shows whatever
// the drawing buffer holds when an animation frame ends.
#include <emscripten.h>

#include <GL/freeglut.h>

#include "desktop_scale.h"
#include "glut_web.h"
#include "glut_web_js.h"
#include "platform.h"

namespace {

bool scaleChanged = false;

}  // namespace

// Browser zoom and a move to a monitor of another density both change
// devicePixelRatio. The canvas keeps its device pixels until the host sizes
// it anew, so its place on the page is laid out again at once.
extern "C" EMSCRIPTEN_KEEPALIVE void glut_web_on_scale_changed() {
    scaleChanged = true;
    glut_web::LayOutCanvas();
    glut_web::Wake();
}

bool platform::Start() {
    return true;
}

ScaleChoice platform::ChooseScale(float given) {
    if (const std::optional<float> scale = GivenScale(given)) {
        return {*scale, false};
    }
    return {DesktopScale(), true};
}

float platform::DesktopScale() {
    return RoundScale(glut_web_js_device_pixel_ratio()).value_or(kSmallestScale);
}

// A page may be larger than the browser's window: it scrolls.
ScreenArea platform::ReadScreenArea() {
    return {};
}

void platform::FollowScaleWith(ScaleFollower /*follower*/) {}

// The page names and shows the program itself (its title and icons).
void platform::PrepareWindow(const WindowDescription& /*description*/) {}

void platform::FinishWindow() {
    glut_web_js_watch_device_pixel_ratio();
}

void platform::SizeWindow(int width, int height) {
    glutReshapeWindow(width, height);
}

std::vector<SizeKeeper::Size> platform::TakeSizeReports() {
    std::vector<SizeKeeper::Size> reports;
    for (const glut_web::CanvasSize& size : glut_web::TakeSizeReports()) {
        reports.push_back({size.width, size.height});
    }
    return reports;
}

bool platform::TakeDesktopChange() {
    const bool changed = scaleChanged;
    scaleChanged = false;
    return changed;
}

void platform::WaitForInput(double seconds) {
    glut_web::WaitForInput(seconds);
}

// The drawing buffer is kept between frames and shown as it is, so the parts
// drawn are presented already; the canvas's size is known exactly.
bool platform::CanPresentParts() {
    return true;
}

platform::ReportedSize platform::ReadReportedSize() {
    const glut_web::CanvasSize size = glut_web::CurrentSize();
    return {{size.width, size.height}, glut_web::SizeChanges()};
}

bool platform::PresentParts(const std::vector<PixelRect>& /*rects*/, int /*bufferHeight*/) {
    return true;
}
