#pragma once

#include <vector>

#include "frame_parts.h"

// Presents rectangles of the back buffer alone, with GLX_MESA_copy_sub_buffer
// where the GL offers it (Mesa does, under Xvfb too). Unlike a swap, the copy
// leaves the back buffer as it was, so the next frame may draw over parts of
// it; and it puts only those parts to the X server.
class PartPresenter {
public:
    // Looks for the extension on the display of the current GL context.
    void Init();
    bool CanPresentParts() const { return copySubBuffer != nullptr; }
    // Copies each rectangle (window pixels from the top left corner) of the
    // back buffer of the current drawable to the window. False when the X
    // server refused a copy, as when the GL's idea of the window size went
    // stale under it: the picture on screen is then in doubt.
    bool PresentParts(const std::vector<PixelRect>& rects, int windowHeight);

private:
    using CopySubBufferFn = void (*)(struct _XDisplay*, unsigned long, int, int, int, int);
    CopySubBufferFn copySubBuffer = nullptr;
};
