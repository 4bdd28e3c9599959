#include "shm_capture.h"

#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstddef>

struct ShmCapture::Segment {
    XShmSegmentInfo info{};
};

ShmCapture::ShmCapture(Display* display) : display(display) {
    available = XShmQueryExtension(display);
}

ShmCapture::~ShmCapture() {
    Release();
}

void ShmCapture::Release() {
    if (segment) {
        XShmDetach(display, &segment->info);
        XSync(display, False);
        shmdt(segment->info.shmaddr);
        delete segment;
        segment = nullptr;
    }
    if (image) {
        // The data is the segment's, already detached.
        image->data = nullptr;
        XDestroyImage(image);
        image = nullptr;
    }
}

bool ShmCapture::Attach(int width, int height) {
    Release();
    const int screen = DefaultScreen(display);
    segment = new Segment;
    XShmSegmentInfo& info = segment->info;
    // The image keeps the segment's description (its obdata), which
    // XShmGetImage reads the segment from.
    image = XShmCreateImage(display, DefaultVisual(display, screen),
                            static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap,
                            nullptr, &info, static_cast<unsigned>(width),
                            static_cast<unsigned>(height));
    info.shmid = image ? shmget(IPC_PRIVATE,
                                static_cast<std::size_t>(image->bytes_per_line) * height,
                                IPC_CREAT | 0600)
                       : -1;
    info.shmaddr = info.shmid < 0 ? reinterpret_cast<char*>(-1)
                                  : static_cast<char*>(shmat(info.shmid, nullptr, 0));
    info.readOnly = False;
    const bool mapped = info.shmaddr != reinterpret_cast<char*>(-1);
    const bool attached = mapped && XShmAttach(display, &info);
    XSync(display, False);
    if (info.shmid >= 0) {
        // Marked for removal at once: it goes when the last process
        // detaches, however the test ends.
        shmctl(info.shmid, IPC_RMID, nullptr);
    }
    if (!attached) {
        if (mapped) {
            shmdt(info.shmaddr);
        }
        delete segment;
        segment = nullptr;
        if (image) {
            XDestroyImage(image);
            image = nullptr;
        }
        return false;
    }
    image->data = info.shmaddr;
    return true;
}

XImage* ShmCapture::Read(Window window, int width, int height) {
    if (!available) {
        return nullptr;
    }
    if (!image || image->width != width || image->height != height) {
        if (!Attach(width, height)) {
            available = false;
            return nullptr;
        }
    }
    if (!XShmGetImage(display, window, image, 0, 0, AllPlanes)) {
        return nullptr;
    }
    return image;
}
