#include "size_keeper.h"

bool SizeKeeper::OnReported(Size kept, Size actual, double now) {
    if (awaitingAnswer && now - askedAt > kAnswerWait) {
        // Unanswered: refused, and the window keeps the size it had.
        awaitingAnswer = false;
        refused = true;
        refusedSize = current;
    }
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
    askedAt = now;
    return true;
}

bool SizeKeeper::OnReports(Size kept, const std::vector<Size>& reports, double now) {
    bool request = false;
    for (const Size reported : reports) {
        request = OnReported(kept, reported, now) || request;
    }
    return request;
}

void SizeKeeper::OnRequested(Size kept, double now) {
    // A window already at the kept size gets no answer to wait for.
    awaitingAnswer = !(current == kept);
    askedAt = now;
    refused = false;
}
