#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "frame_parts.h"
#include "size_keeper.h"

// Presents rectangles of the back buffer alone, where the platform can.
// Unlike a swap, the copy leaves the back buffer as it was, so the next frame
// may draw over parts of it; and it puts only those parts to the window.
//
// A copy must stay inside the back buffer: Mesa's software renderer turns a
// rectangle beyond it into a negative row, which ends the process on an X
// server without MIT-SHM. The buffer's size is not the window's size as last
// reported. The renderer asks the window system for the window's size at the
// first drawing after a swap (or after the context is made current again)
// and keeps that size until the next swap, while reports of newer sizes may
// wait unread. The X server sends every size report before the answer to
// any later question on the same connection, so the last report read once
// that answer is in is the size the renderer took, unless another came with
// it. The presenter notes that size, and copies only while no report of
// another size has come since. Until then frames are swapped whole, and a
// swap is always inside the buffer.
class PartPresenter {
public:
    using Size = SizeKeeper::Size;

    // Asks the platform whether parts can be presented with the current
    // context.
    void Init();
    bool CanPresentParts() const { return canPresentParts; }
    // Runs the first drawing of a frame, which must reach the back buffer (a
    // clear does). After a swap that drawing sizes the buffer anew, and its
    // size is noted when it can be known.
    void StartFrame(const std::function<void()>& firstDrawing);
    // The frame was swapped whole.
    void OnSwapped() { state = State::Swapped; }
    // Whether the back buffer, drawn into since the last swap, must be
    // swapped before a frame at this window size may be drawn: its size is
    // another or not known. The buffer still holds the last picture then.
    bool NeedsSwapBefore(Size window) const;
    // The back buffer's size, when it is known and no other window size has
    // been reported since the renderer took it.
    std::optional<Size> BufferSize() const;
    // Copies each rectangle (window pixels from the top left corner), cut to
    // the back buffer, to the window. False when nothing could be copied
    // safely or the window system refused a copy: the picture on screen is
    // then in doubt, and the buffer is swapped before the next frame.
    bool PresentParts(const std::vector<PixelRect>& rects);

private:
    enum class State { Swapped, Known, Unknown };

    bool canPresentParts = false;
    // Before the first frame the context is new, and a new context sizes
    // the buffer at its first drawing as a swap does.
    State state = State::Swapped;
    Size buffer;
    unsigned long changesAtBuffer = 0;
};
