#pragma once

#include <cstdint>

#include "clock.h"

// Replaces the process clock for as long as it lives, so that tests move time
// by hand instead of sleeping.
class DrivenClock {
public:
    explicit DrivenClock(std::int64_t startMilliseconds = 0) {
        now = startMilliseconds;
        SetMillisecondSource(&Read);
    }
    ~DrivenClock() { SetMillisecondSource(nullptr); }
    DrivenClock(const DrivenClock&) = delete;
    DrivenClock& operator=(const DrivenClock&) = delete;

    void SetMilliseconds(std::int64_t ms) { now = ms; }
    void AdvanceMilliseconds(std::int64_t ms) { now += ms; }
    std::int64_t Milliseconds() const { return now; }

private:
    static std::int64_t Read() { return now; }
    static inline std::int64_t now = 0;
};
