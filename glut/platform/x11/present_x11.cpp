// Presenting parts of the back buffer on X11.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <string>

#include "platform.h"

namespace {

// Mesa's software renderer puts the copied rectangle with MIT-SHM's
// ShmPutImage, or with PutImage, and waits for the server. A rectangle
// beyond what the server thinks the image is raises BadValue, which Xlib's
// default handler turns into the end of the process; here it is counted
// instead. Other errors go on to the handler that was there before.
constexpr int kShmPutImage = 3;  // MIT-SHM's minor opcode
int shmMajorOpcode = -1;
int refusedPresents = 0;
XErrorHandler previousHandler = nullptr;

int TrapRefusedPresent(Display* display, XErrorEvent* error) {
    const bool shmPut = error->request_code == shmMajorOpcode && error->minor_code == kShmPutImage;
    if (shmPut || error->request_code == X_PutImage) {
        ++refusedPresents;
        return 0;
    }
    return previousHandler ? previousHandler(display, error) : 0;
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
    if (copySubBuffer && !previousHandler) {
        int firstEvent = 0;
        int firstError = 0;
        if (!XQueryExtension(display, "MIT-SHM", &shmMajorOpcode, &firstEvent, &firstError)) {
            shmMajorOpcode = -1;
        }
        previousHandler = XSetErrorHandler(TrapRefusedPresent);
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
    for (const PixelRect& r : rects) {
        // GLX counts rows from the bottom.
        copySubBuffer(display, drawable, r.left, bufferHeight - r.bottom, r.right - r.left,
                      r.bottom - r.top);
    }
    return refusedPresents == refusedBefore;
}
