// Presenting parts of the back buffer on X11.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <algorithm>
#include <array>
#include <string>

#include "platform.h"
#include "x_error_trap_x11.h"

namespace {

// Mesa's software renderer puts the copied rectangle with MIT-SHM's
// ShmPutImage, or with PutImage, and waits for the server. A rectangle
// beyond what the server thinks the image is raises BadValue, which Xlib's
// default handler turns into the end of the process; here it is counted
// instead. It comes back while Mesa waits, so it is caught for good rather
// than by a trap, which would cost two more waits for the server a frame.
constexpr int kShmPutImage = 3;  // MIT-SHM's minor opcode
int shmMajorOpcode = -1;
int refusedPresents = 0;
bool catching = false;

// The requests a present made: serials from `first` up to, not including,
// `end`, on one connection. Only errors of these are the presenter's; a
// PutImage of any other part of the process fails as it would without it.
struct PresentRequests {
    Display* display = nullptr;
    unsigned long first = 0;
    unsigned long end = 0;
};
// The last few presents: Mesa waits for the server within each, so an error
// comes back before the next present, but one more is kept for a library
// that would not wait.
constexpr std::size_t kPresentsKept = 2;
std::array<PresentRequests, kPresentsKept> recentPresents;
std::size_t nextPresent = 0;

bool IsPresentRequest(const XErrorEvent& error) {
    return std::any_of(recentPresents.begin(), recentPresents.end(),
                       [&](const PresentRequests& present) {
                           return error.display == present.display &&
                                  error.serial >= present.first && error.serial < present.end;
                       });
}

bool CountRefusedPresent(const XErrorEvent& error) {
    const bool shmPut = error.request_code == shmMajorOpcode && error.minor_code == kShmPutImage;
    if ((shmPut || error.request_code == X_PutImage) && IsPresentRequest(error)) {
        ++refusedPresents;
        return true;
    }
    return false;
}

bool HasExtension(const char* list, const char* name) {
    const std::string padded = std::string(" ") + (list ? list : "") + " ";
    return padded.find(std::string(" ") + name + " ") != std::string::npos;
}

using CopySubBufferFn = void (*)(Display*, GLXDrawable, int, int, int, int);

CopySubBufferFn copySubBuffer = nullptr;

}  // namespace

// With GLX_MESA_copy_sub_buffer, which Mesa offers (under Xvfb too).
bool platform::CanPresentParts() {
    Display* display = glXGetCurrentDisplay();
    if (!display || !HasExtension(glXQueryExtensionsString(display, DefaultScreen(display)),
                                  "GLX_MESA_copy_sub_buffer")) {
        copySubBuffer = nullptr;
        return false;
    }
    copySubBuffer = reinterpret_cast<CopySubBufferFn>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
    if (copySubBuffer && !catching) {
        int firstEvent = 0;
        int firstError = 0;
        if (!XQueryExtension(display, "MIT-SHM", &shmMajorOpcode, &firstEvent, &firstError)) {
            shmMajorOpcode = -1;
        }
        CatchXErrorsForGood(CountRefusedPresent);
        catching = true;
    }
    return copySubBuffer != nullptr;
}

bool platform::PresentParts(const std::vector<PixelRect>& rects, int bufferHeight) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!copySubBuffer || !display || !drawable) {
        return false;
    }
    const int refusedBefore = refusedPresents;
    PresentRequests& present = recentPresents[nextPresent];
    nextPresent = (nextPresent + 1) % kPresentsKept;
    // Open-ended while the present runs, since its errors come back inside
    // it; closed at the serial of the next request made after it.
    present = {display, NextRequest(display), ~0ul};
    for (const PixelRect& r : rects) {
        // GLX counts rows from the bottom.
        copySubBuffer(display, drawable, r.left, bufferHeight - r.bottom, r.right - r.left,
                      r.bottom - r.top);
    }
    present.end = NextRequest(display);
    return refusedPresents == refusedBefore;
}
