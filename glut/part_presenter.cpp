#include "part_presenter.h"

#include <algorithm>

#include "platform.h"

void PartPresenter::Init() {
    canPresentParts = platform::CanPresentParts();
    state = State::Swapped;
}

void PartPresenter::StartFrame(const std::function<void()>& firstDrawing) {
    if (state != State::Swapped) {
        firstDrawing();
        return;
    }
    const platform::ReportedSize before = platform::ReadReportedSize();
    firstDrawing();
    // The renderer's question about the size was answered within the
    // drawing; a report of another size read with that answer or after it
    // leaves open which size the renderer took.
    const platform::ReportedSize after = platform::ReadReportedSize();
    if (after.changes != before.changes) {
        state = State::Unknown;
        return;
    }
    state = State::Known;
    buffer = after.size;
    changesAtBuffer = after.changes;
}

bool PartPresenter::NeedsSwapBefore(Size window) const {
    return state != State::Swapped && BufferSize() != window;
}

std::optional<PartPresenter::Size> PartPresenter::BufferSize() const {
    if (state != State::Known || platform::ReadReportedSize().changes != changesAtBuffer) {
        return std::nullopt;
    }
    return buffer;
}

bool PartPresenter::PresentParts(const std::vector<PixelRect>& rects) {
    const std::optional<Size> size = BufferSize();
    if (!canPresentParts || !size) {
        state = State::Unknown;
        return false;
    }
    std::vector<PixelRect> inside;
    inside.reserve(rects.size());
    for (const PixelRect& r : rects) {
        const PixelRect cut{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, size->width),
                            std::min(r.bottom, size->height)};
        if (!cut.Empty()) {
            inside.push_back(cut);
        }
    }
    if (!platform::PresentParts(inside, size->height)) {
        state = State::Unknown;
        return false;
    }
    return true;
}
