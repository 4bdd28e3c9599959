#include "clock.h"

#include <chrono>

namespace {

// Initialised during static initialisation, which is as close to process
// start as portable code gets.
const std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();

std::int64_t RealElapsedMilliseconds() {
    const auto elapsed = std::chrono::steady_clock::now() - processStart;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

MillisecondSource currentSource = nullptr;

}  // namespace

std::int64_t ElapsedMilliseconds() {
    return currentSource ? currentSource() : RealElapsedMilliseconds();
}

void SetMillisecondSource(MillisecondSource source) {
    currentSource = source;
}
