#include "present_x11.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <algorithm>
#include <string>

#include "configure_notices_x11.h"

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

}  // namespace

void PartPresenter::Init() {
    Display* display = glXGetCurrentDisplay();
    if (!display || !HasExtension(glXQueryExtensionsString(display, DefaultScreen(display)),
                                  "GLX_MESA_copy_sub_buffer")) {
        copySubBuffer = nullptr;
        return;
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
}

void PartPresenter::StartFrame(const std::function<void()>& firstDrawing) {
    if (state != State::Swapped) {
        firstDrawing();
        return;
    }
    const ServerSizeX11 before = ReadServerSizeX11();
    firstDrawing();
    // The renderer's question about the size was answered within the
    // drawing; a report of another size read with that answer or after it
    // leaves open which size the renderer took.
    const ServerSizeX11 after = ReadServerSizeX11();
    if (after.changes != before.changes) {
        state = State::Unknown;
        return;
    }
    state = State::Known;
    buffer = after.size;
    serverChangesAtBuffer = after.changes;
}

bool PartPresenter::NeedsSwapBefore(Size window) const {
    return state != State::Swapped && BufferSize() != window;
}

std::optional<PartPresenter::Size> PartPresenter::BufferSize() const {
    if (state != State::Known || ReadServerSizeX11().changes != serverChangesAtBuffer) {
        return std::nullopt;
    }
    return buffer;
}

bool PartPresenter::PresentParts(const std::vector<PixelRect>& rects) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    const std::optional<Size> size = BufferSize();
    if (!copySubBuffer || !display || !drawable || !size) {
        state = State::Unknown;
        return false;
    }
    const int refusedBefore = refusedPresents;
    for (const PixelRect& rect : rects) {
        const PixelRect r{std::max(rect.left, 0), std::max(rect.top, 0),
                          std::min(rect.right, size->width), std::min(rect.bottom, size->height)};
        if (r.Empty()) {
            continue;
        }
        // GLX counts rows from the bottom.
        copySubBuffer(display, drawable, r.left, size->height - r.bottom, r.right - r.left,
                      r.bottom - r.top);
    }
    if (refusedPresents != refusedBefore) {
        state = State::Unknown;
        return false;
    }
    return true;
}
