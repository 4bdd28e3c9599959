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

bool desktopChanged = false;

}  // namespace

// Browser zoom and a move to a monitor of another density change
// devicePixelRatio; a resized window, a rotated phone or the page's own
// controls change the room the canvas has. The canvas keeps its device
// pixels until the host sizes it anew, so its place on the page is laid out
// again at once.
extern "C" EMSCRIPTEN_KEEPALIVE void glut_web_on_desktop_changed() {
    desktopChanged = true;
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

// The canvas fills the part of the page left to it, shrunk exactly.
ScreenArea platform::ReadScreenArea() {
    ScreenArea area;
    area.width = glut_web_js_room_width();
    area.height = glut_web_js_room_height();
    area.fitsExactly = true;
    return area;
}

void platform::FollowScaleWith(ScaleFollower /*follower*/) {}

// The page names and shows the program itself (its title and icons).
void platform::PrepareWindow(const WindowDescription& /*description*/) {}

void platform::FinishWindow() {
    glut_web_js_watch_desktop();
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
    const bool changed = desktopChanged;
    desktopChanged = false;
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
