#include "size_keeper.h"

bool SizeKeeper::OnReported(Size kept, Size actual) {
    current = actual;
    if (actual == kept) {
        awaitingAnswer = false;
        refused = false;
        return false;
    }
    if (awaitingAnswer) {
        awaitingAnswer = false;
        refused = true;
        refusedSize = actual;
        return false;
    }
    // A manager repeats its size when it moves or restacks the window.
    if (refused && actual == refusedSize) {
        return false;
    }
    awaitingAnswer = true;
    return true;
}

bool SizeKeeper::OnReports(Size kept, const std::vector<Size>& reports) {
    bool request = false;
    for (const Size reported : reports) {
        request = OnReported(kept, reported) || request;
    }
    return request;
}

void SizeKeeper::OnRequested(Size kept) {
    // A window already at the kept size gets no answer to wait for.
    awaitingAnswer = !(current == kept);
    refused = false;
}
