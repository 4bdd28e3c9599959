#include "size_keeper.h"

bool SizeKeeper::OnResized(Size kept, Size actual) {
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
    if (refused && actual == refusedSize) {
        return false;
    }
    awaitingAnswer = true;
    return true;
}

void SizeKeeper::OnRequested(Size kept) {
    // A window already at the kept size produces no resize to wait for.
    awaitingAnswer = !(current == kept);
    refused = false;
}
